#pragma once
#include "forget.h"
#include "knowncount.h"
#include "platform/controls.h"

#include <QStringList>
#include <span>

namespace files {

inline const QString kDictionaryFile = QStringLiteral("辞書.txt");
// The word count is a 16-bit number.
constexpr int kMaxDictionaryWords = 32767;

// Every item of the text, in file order. More than kMaxDictionaryWords items is an error.
bool parseDictionary(QStringView text, const QString &fileName, QStringList &words, QString &error);
bool readDictionary(const QString &fileName, QStringList &words, QString &error);

// The message for a file with more than kMaxDictionaryWords items.
QString tooManyWordsMessage(const QString &fileName);

// The game-start load: a first pass that counts (with no limit; the caller checks it), a
// second that reads exactly `count` items.
bool countDictionary(const QString &fileName, int &count, QString &error);
bool readDictionaryItems(const QString &fileName, int count, QStringList &words, QString &error);

// One word and CR LF at the end of the file, which is created when missing.
bool appendWord(const QString &fileName, const QString &word, QString &error);

// As readDictionary, keeping the words in the decoded text, without a string for each.
bool readDictionaryWords(const QString &fileName, platform::TextItems &words, QString &error);

// The dictionary file's one owner while the program runs: the game learns through it, the
// learned-words list forgets through it, and both ask it which words the game drew from.
class Dictionary {
public:
    explicit Dictionary(QString fileName = kDictionaryFile);
    const QString &fileName() const { return fileName_; }

    // Every word, for the learned-words list.
    bool readAll(platform::TextItems &words, QString &error) const;
    // The game-start load: `count` words counted afresh (no limit; the caller checks it), then
    // exactly `count` words read into `words`, which become the words drawn from.
    bool count(int &count, QString &error);
    bool load(int count, QStringList &words, QString &error);
    // The words the last load read: what the game draws its replies from.
    std::span<const QString> drawn() const { return drawn_; }

    // Appends the word, unless it holds anything but kana, the game drew it already, CP932
    // cannot hold it (it would be written as "?") or the file is full; false when it was not written, with the reason
    // when that was a failure.
    bool learn(const QString &word, QString &error);
    // Words appended by this program, in a game or not.
    int learned() const { return learned_; }
    // Takes the word's lines out of the file (forgetWord).
    bool forget(const QString &word, const WordTally &shown, int &removed, QString &error);

private:
    QString fileName_;
    // The file's own count, so that no append makes it too long to load.
    KnownCount words_;
    QStringList drawn_;
    int learned_ = 0;
};

} // namespace files
