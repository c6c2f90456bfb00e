// A program killed while it writes the game's files never leaves them unreadable, and never
// loses a write it had finished: a writer rewrites the settings and appends words and history
// records in a loop, is killed at a random moment, and the files are checked each time.
#include "files/dictionary.h"
#include "files/history.h"
#include "files/settings.h"
#include "platform/textfile.h"
#include "test_crashsafety.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

// How long each row kills and checks; KANARINKA_CRASH_MS runs it longer.
int budgetMs()
{
    const int ms = qEnvironmentVariableIntValue("KANARINKA_CRASH_MS");
    return ms > 0 ? ms : 1500;
}

// A file is started afresh once it is this large, to keep the checks quick.
constexpr qint64 kRestartBytes = 1'000'000;

struct Reported {
    int settings = -1, words = -1, history = -1; // the last step reported, -1 for none
};

files::HistoryRecord asRead(const files::HistoryEntry &entry)
{
    QList<files::HistoryRecord> records;
    QString error;
    if (!files::parseHistory(files::formatHistoryRecord(entry), files::kHistoryFile, records, error))
        qFatal("%s", qUtf8Printable(error));
    return records.value(0);
}

// The end of a file, for messages: its size and last bytes.
QString fileTail(const QString &name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    const qint64 size = file.size();
    file.seek(std::max<qint64>(0, size - 24));
    return QStringLiteral("%1 bytes, ending %2").arg(size).arg(QString::fromLatin1(file.readAll().toHex(' ')));
}

// What a run added must be the reported entries, in order, perhaps with the one in flight.
template <typename T, typename Make>
QString checkAppended(const QList<T> &before, const QList<T> &after, int reported, Make make)
{
    if (after.size() < before.size() || after.first(before.size()) != before)
        return QStringLiteral("entries present before the run were changed or lost");
    const QList<T> added = after.sliced(before.size());
    QList<T> want;
    for (int i = 0; i <= reported; ++i)
        want.append(make(i));
    if (added == want)
        return {};
    want.append(make(reported + 1));
    if (added == want)
        return {};
    if (added.size() == want.size() && added.first(reported + 1) == want.first(reported + 1))
        return QStringLiteral("the entry being written when the writer was killed was left cut short");
    return QStringLiteral("the run added %1 entries, %2 were reported written").arg(added.size()).arg(reported + 1);
}

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT
private slots:
    void filesLoadAndKeepEveryReportedWriteAfterEachKill_data();
    void filesLoadAndKeepEveryReportedWriteAfterEachKill();
};

void TestCrashSafety::filesLoadAndKeepEveryReportedWriteAfterEachKill_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("settings rewritten") << u"settings"_qs;
    QTest::newRow("words appended") << u"words"_qs;
    QTest::newRow("history records appended") << u"history"_qs;
    QTest::newRow("all three in turn") << u"all"_qs;
}

void TestCrashSafety::filesLoadAndKeepEveryReportedWriteAfterEachKill()
{
    QFETCH(QString, mode);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    auto restore = qScopeGuard([&] { QDir::setCurrent(previous); });

    QString error;
    files::Settings settings{60, 1};
    QVERIFY(files::writeSettings(files::kSettingsFile, settings, error));
    QVERIFY(platform::rewriteTextFile(files::kDictionaryFile, QString(), error));
    QVERIFY(files::clearHistory(files::kHistoryFile, error)); // an empty file
    QStringList words;
    QList<files::HistoryRecord> history;

    QElapsedTimer elapsed;
    elapsed.start();
    int kills = 0, reportedWrites = 0;
    for (int run = 0; run < 10 || elapsed.elapsed() < budgetMs(); ++run) {
        const QString where = QStringLiteral("run %1: ").arg(run);
        QProcess writer;
        writer.start(QStringLiteral(CRASHSAFETY_WRITER), {mode, QString::number(run)});
        QVERIFY2(writer.waitForStarted(), qPrintable(writer.errorString()));
        while (!writer.canReadLine())
            QVERIFY2(writer.waitForReadyRead(10000), "the writer did not start writing");
        QThread::usleep(QRandomGenerator::global()->bounded(20000));
        writer.kill();
        QVERIFY(writer.waitForFinished(10000));
        ++kills;

        Reported last;
        const QList<QByteArray> lines = writer.readAllStandardOutput().split('\n');
        for (const QByteArray &raw : lines) {
            const QByteArray line = raw.trimmed();
            QVERIFY2(!line.startsWith("E "), qPrintable(where + QString::fromUtf8(line)));
            const int step = line.mid(2).toInt();
            if (line.startsWith("S "))
                last.settings = step;
            else if (line.startsWith("W "))
                last.words = step;
            else if (line.startsWith("H "))
                last.history = step;
        }
        reportedWrites += last.settings + last.words + last.history + 3;

        files::Settings nowSettings;
        QVERIFY2(files::readSettings(files::kSettingsFile, nowSettings, error), qPrintable(where + error));
        const auto same = [](files::Settings a, files::Settings b) {
            return a.playTime == b.playTime && a.autoSave == b.autoSave;
        };
        if (last.settings >= 0) {
            QVERIFY2(same(nowSettings, crashsafety::settingsAt(run, last.settings))
                         || same(nowSettings, crashsafety::settingsAt(run, last.settings + 1)),
                     qPrintable(where + u"the settings are neither the last reported nor the next"_qs));
        } else {
            QVERIFY2(same(nowSettings, settings) || same(nowSettings, crashsafety::settingsAt(run, 0)),
                     qPrintable(where + u"the settings changed without a reported write"_qs));
        }
        settings = nowSettings;

        QStringList nowWords;
        QVERIFY2(files::readDictionary(files::kDictionaryFile, nowWords, error),
                 qPrintable(where + error + u"\n"_qs + fileTail(files::kDictionaryFile)));
        error = checkAppended(words, nowWords, last.words, [run](int i) { return crashsafety::wordAt(run, i); });
        QVERIFY2(error.isEmpty(), qPrintable(where + u"dictionary: "_qs + error + u"\n"_qs
                                             + fileTail(files::kDictionaryFile)));
        words = nowWords;

        QList<files::HistoryRecord> nowHistory;
        QVERIFY2(files::readHistory(files::kHistoryFile, nowHistory, error),
                 qPrintable(where + error + u"\n"_qs + fileTail(files::kHistoryFile)));
        error = checkAppended(history, nowHistory, last.history,
                              [run](int i) { return asRead(crashsafety::recordAt(run, i)); });
        QVERIFY2(error.isEmpty(), qPrintable(where + u"history: "_qs + error + u"\n"_qs
                                             + fileTail(files::kHistoryFile)));
        history = nowHistory;

        if (QFileInfo(files::kDictionaryFile).size() > kRestartBytes) {
            QVERIFY(platform::rewriteTextFile(files::kDictionaryFile, QString(), error));
            words.clear();
        }
        if (QFileInfo(files::kHistoryFile).size() > kRestartBytes) {
            QVERIFY(files::clearHistory(files::kHistoryFile, error));
            history.clear();
        }
    }
    // A rewrite killed before it was put in place leaves its temporary file behind.
    const qsizetype left = QDir().entryList(QDir::Files | QDir::Hidden).size() - 3;
    qInfo("%s: %d kills, %d writes reported before them, %lld temporary files left",
          qPrintable(mode), kills, reportedWrites, qlonglong(left));
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "test_crashsafety.moc"
