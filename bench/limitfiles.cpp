#include "limitfiles.h"

#include "files/dictionary.h"
#include "files/history.h"
#include "files/settings.h"
#include "platform/textfile.h"

#include <QDir>
#include <QRandomGenerator>
#include <QSet>
#include <cstdio>
#include <cstdlib>

namespace bench {
namespace {

const QString kKana = QStringLiteral(
    "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわ"
    "がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ");
const QString kInner = QStringLiteral("ゃゅょっんー");

[[noreturn]] void die(const QString &what)
{
    std::fprintf(stderr, "kanarinka-bench: %s\n", qUtf8Printable(what));
    std::exit(1);
}

void write(const QString &path, const QString &text)
{
    QString error;
    if (!platform::rewriteTextFile(path, text, error))
        die(error);
}

} // namespace

QStringList makeWords(int count)
{
    QRandomGenerator random(20100401);
    QSet<QString> seen;
    QStringList words;
    words.reserve(count);
    while (words.size() < count) {
        const int length = 2 + int(random.bounded(6));
        QString word;
        for (int i = 0; i < length; ++i) {
            // Now and then a small kana, ん or ー inside the word, as real words have.
            if (i > 0 && i < length - 1 && random.bounded(8) == 0)
                word += kInner[random.bounded(int(kInner.size()))];
            else
                word += kKana[random.bounded(int(kKana.size()))];
        }
        if (!seen.contains(word)) {
            seen.insert(word);
            words.append(word);
        }
    }
    return words;
}

void writeFolder(const QString &folder, int words, int records)
{
    if (!QDir().mkpath(folder))
        die(QStringLiteral("cannot create %1").arg(folder));
    const QDir dir(folder);
    write(dir.filePath(files::kSettingsFile), files::formatSettings({60, 1}));

    QString dictionary;
    for (const QString &word : makeWords(words))
        dictionary += word + QStringLiteral("\r\n");
    write(dir.filePath(files::kDictionaryFile), dictionary);

    QString history;
    for (int i = 0; i < records; ++i) {
        history += files::formatHistoryRecord(
            {QStringLiteral("2010/04/01"), QStringLiteral("13:05:09"), 812 + i % 1000, 25 + i % 50,
             3 + i % 7, 98 + i % 300, QStringLiteral("89.3%"), QStringLiteral("1.63/秒"),
             QStringLiteral("60秒")});
    }
    write(dir.filePath(files::kHistoryFile), history);
}

} // namespace bench
