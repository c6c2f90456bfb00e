#pragma once
// Typing in a word list jumps to the first word with that beginning, so a player can see
// whether the computer knows a word: kana as typed (katakana and half-width kana as
// hiragana), romaji made into hiragana while romaji input is on, or the kana of each key's
// place in kana input. A pause starts a new
// beginning; Backspace takes back the last letter, Escape the whole beginning.
#include "platform/kana/romaji.h"
#include "ui/main/kanakeys.h"

#include <QElapsedTimer>
#include <QObject>

namespace ui {

class WordList;

class WordFinder : public QObject {
    Q_OBJECT
public:
    explicit WordFinder(WordList &list);
    void setKanaKeys(const KanaKeys &keys) { keys_ = keys; }
    // The beginning looked for: its kana, then letters not yet made into kana.
    QString typed() const { return kana_ + composer_.pending(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void type(const QString &text);
    void restartAfterAPause();
    void backspace();
    void find();

    WordList &list_;
    platform::RomajiComposer composer_;
    QString kana_;
    KanaKeys keys_;
    QElapsedTimer sinceKey_;
};

} // namespace ui
