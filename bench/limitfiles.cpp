#include "limitfiles.h"

#include "files/dictionary.h"
#include "files/history.h"
#include "files/settings.h"
#include "platform/text/textfile.h"
#include "progress/record/answerfile.h"
#include "review/reviewlist.h"

#include <QDir>
#include <QRandomGenerator>
#include <QSet>
#include <cstdio>
#include <cstdlib>

namespace bench {
namespace {

const QString kKana =
    QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわ"
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
    const QDateTime first(QDate(2010, 4, 1), QTime(13, 5, 9));
    for (int i = 0; i < records; ++i) {
        const QDateTime saved = first.addSecs(qint64(i) * 4 * 3600 + i % 3600);
        history += files::formatHistoryRecord({saved.toString(QStringLiteral("yyyy/MM/dd")),
                                               saved.toString(QStringLiteral("hh:mm:ss")), 812 + i % 1000, 25 + i % 50,
                                               3 + i % 7, 98 + i % 300, QStringLiteral("89.3%"),
                                               QStringLiteral("1.63/秒"), QStringLiteral("%1秒").arg(30 * (1 + i % 3))});
    }
    write(dir.filePath(files::kHistoryFile), history);
}

void writeReviewList(const QString &folder, int words)
{
    review::ReviewList list(QDir(folder).filePath(review::kReviewListFile));
    const QDateTime added(QDate(2026, 1, 5), QTime(20, 0, 0));
    QString error = list.start(added);
    const QStringList all = makeWords(words);
    if (error.isEmpty())
        error = list.add(all, added);
    if (error.isEmpty())
        error = list.met(all, added.addDays(1));
    // Two words in three answered since, some quickly, some slowly.
    QList<review::GradedWord> grades;
    for (qsizetype i = 0; i < all.size(); ++i)
        if (i % 3 != 0)
            grades.append({all[i], i % 3 == 1 ? review::fsrs::Grade::Good : review::fsrs::Grade::Hard});
    if (error.isEmpty())
        error = list.grade(grades, added.addDays(2));
    // Read once more, which rewrites it as one line a word.
    if (error.isEmpty())
        error = review::ReviewList(list.fileName()).start(added.addDays(1));
    if (!error.isEmpty())
        die(error);
}

QDateTime writeAnswerRecord(const QString &folder, int lines)
{
    QRandomGenerator random(20240501);
    const QStringList words = makeWords(997);
    QString text = progress::answerRecordHeader();
    QDateTime game(QDate(2020, 1, 1), QTime(9, 0, 0));
    for (int i = 0; i < lines; ++i) {
        if (i % 30 == 0)
            game = game.addSecs(3 * 3600 + 17);
        const QString &word = words[i % words.size()];
        const bool known = i % 5 != 0; // now and then an input method's answer
        text += progress::formatAnswerRow(
            {progress::gameName(game), word.front(), word,
             random.bounded(10) == 0 ? game::AnswerVerdict::BrokenChain : game::AnswerVerdict::Accepted,
             300 + random.bounded(12000), 400 + random.bounded(3000),
             known ? std::optional(progress::Keystrokes{int(2 * word.size() + 1), 1}) : std::nullopt});
    }
    QString error;
    if (!platform::rewriteTextFile(QDir(folder).filePath(progress::kAnswerRecordFile), text, error,
                                   platform::TextEncoding::Utf8))
        die(error);
    return game;
}

} // namespace bench
