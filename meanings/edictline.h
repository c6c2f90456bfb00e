#pragma once
// One line of EDICT (the Electronic Dictionary Research and Development Group's Japanese-English
// dictionary): 「漢字 [よみ] /(n) gloss/gloss/(P)/」, or 「よみ /gloss/」 for a word written in kana.
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

namespace meanings {

struct EdictEntry {
    QString written;     // as the line writes it; empty when that is the reading itself
    QString reading;     // in hiragana, as the game's words are
    QStringList glosses; // the first two, without part-of-speech, usage or sense tags
    bool common = false; // marked (P)
    bool operator==(const EdictEntry &) const = default;
};

constexpr int kGlossesKept = 2;

// Nothing for a line that is no entry: the file's first line, a blank one, one without glosses.
std::optional<EdictEntry> parseEdictLine(QStringView line);

// What the index needs from a line, found in its bytes without decoding them: the reading's
// bytes (the written form's when it has none) and whether it is marked (P). EUC-JP keeps every
// byte of a Japanese character at 0x80 and above, so the ASCII delimiters are found as bytes.
// Empty when the line is no entry.
struct EdictKeys {
    QByteArrayView reading;
    bool common = false;
};
EdictKeys scanEdictLine(QByteArrayView line);

} // namespace meanings
