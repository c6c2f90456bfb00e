#pragma once
#include "platform/controls.h"

#include <QStringList>

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

} // namespace files
