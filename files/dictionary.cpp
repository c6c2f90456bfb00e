#include "dictionary.h"

#include "delimited.h"
#include "platform/kana/kana.h"
#include "platform/text/textfile.h"

#include <QCoreApplication>
#include <limits>

namespace files {
namespace {

// Reads up to `limit` items; false, with the message, when the text holds more.
bool readItems(QStringView text, const QString &fileName, int limit, QStringList *words, int &count, QString &error)
{
    DelimitedReader reader(text);
    count = 0;
    while (!reader.atEnd()) {
        if (count == limit) {
            error = tooManyWordsMessage(fileName);
            return false;
        }
        const Value value = reader.next();
        if (words)
            words->append(value.text);
        ++count;
    }
    return true;
}

} // namespace

QString tooManyWordsMessage(const QString &fileName)
{
    return QCoreApplication::translate("Files", "「%1」の言葉が多すぎます。辞書に入れられるのは %2 語までです。")
        .arg(fileName)
        .arg(kMaxDictionaryWords);
}

bool parseDictionary(QStringView text, const QString &fileName, QStringList &words, QString &error)
{
    words.clear();
    int count = 0;
    return readItems(text, fileName, kMaxDictionaryWords, &words, count, error);
}

bool readDictionary(const QString &fileName, QStringList &words, QString &error)
{
    QString text;
    return platform::readTextFile(fileName, text, error) && parseDictionary(text, fileName, words, error);
}

bool countDictionary(const QString &fileName, int &count, QString &error)
{
    QString text;
    return platform::readTextFile(fileName, text, error)
        && readItems(text, fileName, std::numeric_limits<int>::max(), nullptr, count, error);
}

bool readDictionaryItems(const QString &fileName, int count, QStringList &words, QString &error)
{
    QString text;
    if (!platform::readTextFile(fileName, text, error))
        return false;
    words.clear();
    words.reserve(count);
    DelimitedReader reader(text);
    for (int j = 0; j < count && !reader.atEnd(); ++j)
        words.append(reader.next().text);
    // A file that shrank between the passes leaves the rest empty, as sized.
    while (words.size() < count)
        words.append(QString());
    return true;
}

bool readDictionaryWords(const QString &fileName, platform::TextItems &words, QString &error)
{
    platform::TextItems read;
    if (!platform::readTextFile(fileName, read.text, error))
        return false;
    ValueScanner<QStringView> scanner(read.text);
    while (!scanner.atEnd()) {
        if (read.spans.size() == kMaxDictionaryWords) {
            error = tooManyWordsMessage(fileName);
            return false;
        }
        const Span value = scanner.next();
        read.spans.append({value.start, value.size});
    }
    words = std::move(read);
    return true;
}

Dictionary::Dictionary(QString fileName) : fileName_(std::move(fileName)), words_(fileName_, countDictionary) {}

bool Dictionary::readAll(platform::TextItems &words, QString &error) const
{
    return readDictionaryWords(fileName_, words, error);
}

bool Dictionary::count(int &count, QString &error)
{
    return words_.recount(count, error);
}

bool Dictionary::load(int count, QStringList &words, QString &error)
{
    if (!readDictionaryItems(fileName_, count, words, error))
        return false;
    drawn_ = words;
    return true;
}

bool Dictionary::learn(const QString &word, QString &error)
{
    // Only kana, whatever reached the game: a kanji or a letter would break every later chain
    // through the word.
    if (!platform::isKanaWord(word) || drawn_.contains(word) || !platform::isCp932Encodable(word))
        return false;
    // The file's own count: words learned after a game's end, or added by hand, count too.
    int words = 0;
    if (!words_.get(words, error) || words >= kMaxDictionaryWords)
        return false;
    if (!appendWord(fileName_, word, error))
        return false;
    words_.changed(1);
    ++learned_;
    return true;
}

bool Dictionary::forget(const QString &word, const WordTally &shown, int &removed, QString &error)
{
    if (!forgetWord(fileName_, word, shown, removed, error))
        return false;
    words_.changed(-removed);
    return true;
}

bool appendWord(const QString &fileName, const QString &word, QString &error)
{
    return platform::appendTextFile(fileName, word + QStringLiteral("\r\n"), error);
}

} // namespace files
