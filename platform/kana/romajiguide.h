#pragma once
// Spells kana in the romaji that the answer box turns back into the same kana: the romaji
// table read in reverse, in Hepburn spelling wherever the table offers it.
#include "romaji.h"

#include <QHash>
#include <QString>

namespace platform {

class RomajiSpeller {
public:
    explicit RomajiSpeller(const RomajiTable &table = RomajiTable::standard());

    // Characters the table cannot spell (katakana, kanji, digits) stay as they are.
    QString spell(QStringView kana) const;

private:
    QString spellSokuon(QStringView next) const;

    const RomajiTable &table_;
    QHash<QString, QString> spelling_; // kana -> the romaji chosen for it
    int longestKana_ = 1;
};

} // namespace platform
