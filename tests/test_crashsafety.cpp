// A program killed while it writes the game's files never leaves them unreadable, and never
// loses a write it had finished: a writer rewrites the settings and appends words and history
// records in a loop, is killed at a random moment, and the files are checked each time.
#include "files/dictionary.h"
#include "platform/onecopy.h"
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

// A file is started afresh once it is this large, to keep the checks quick.
constexpr qint64 kRestartBytes = 1'000'000;

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
    if (file.open(QIODevice::ReadOnly))
        file.seek(std::max<qint64>(0, file.size() - 24));
    return QStringLiteral("%1 bytes, ending %2").arg(file.size()).arg(QString::fromLatin1(file.readAll().toHex(' ')));
}

// Reads a file that a run appended to: what it added must be the reported entries, in order,
// perhaps with the one in flight. Empty when so, else what is wrong.
template <typename T, typename Read, typename Make>
QString checkAppended(const QString &name, Read read, QList<T> &entries, int reported, Make make)
{
    QList<T> now;
    QString error;
    if (!read(name, now, error))
        return error + u'\n' + fileTail(name);
    QList<T> want = entries;
    for (int i = 0; i <= reported; ++i)
        want.append(make(i));
    if (now != want && now != want + QList<T>{make(reported + 1)}) {
        if (now.size() == want.size() + 1 && now.first(want.size()) == want)
            error = u"the entry being written when the writer was killed was left cut short"_qs;
        else if (now.size() < entries.size() || now.first(entries.size()) != entries)
            error = u"entries present before the run were changed or lost"_qs;
        else
            error = QStringLiteral("the run added %1 entries, %2 were reported written")
                        .arg(now.size() - entries.size()).arg(reported + 1);
        return name + u": "_qs + error + u'\n' + fileTail(name);
    }
    entries = now;
    if (QFileInfo(name).size() > kRestartBytes && platform::rewriteTextFile(name, QString(), error))
        entries.clear();
    return error;
}

// What the files held at the last check.
struct Expected {
    files::Settings settings{60, 1};
    QStringList words;
    QList<files::HistoryRecord> history;
};

// The working folder of one test, with fresh files in it.
struct Folder {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();
    Folder()
    {
        QString error;
        if (!dir.isValid() || !QDir::setCurrent(dir.path()) || !files::writeSettings(files::kSettingsFile, {60, 1}, error)
            || !platform::rewriteTextFile(files::kDictionaryFile, QString(), error)
            || !platform::rewriteTextFile(files::kHistoryFile, QString(), error))
            qFatal("cannot set up the folder: %s", qUtf8Printable(error));
    }
    ~Folder() { QDir::setCurrent(previous); }
};

// Starts a writer in the working folder; true once it has begun writing or was refused.
bool startWriter(QProcess &writer, const QString &mode, int run, bool oneCopy = false)
{
    writer.start(QStringLiteral(CRASHSAFETY_WRITER),
                 QStringList{mode, QString::number(run)} + (oneCopy ? QStringList{u"one-copy"_qs} : QStringList{}));
    while (!writer.canReadLine())
        if (!writer.waitForReadyRead(10000))
            return false;
    return true;
}

// Checks the files against what the writer `run` reported written before it ended (its whole
// output); `reported` counts those writes. Empty when every one is there, else what is wrong.
QString checkFiles(const QByteArray &output, int run, Expected &expected, int &reported)
{
    QMap<char, int> last{{'S', -1}, {'W', -1}, {'H', -1}}; // the last step reported written
    for (const QByteArray &line : output.split('\n')) {
        if (line.startsWith("E "))
            return QString::fromUtf8(line);
        if (line.size() > 2 && last.contains(line[0]))
            last[line[0]] = line.mid(2).toInt();
    }
    reported = last['S'] + last['W'] + last['H'] + 3;

    QString error;
    files::Settings now;
    if (!files::readSettings(files::kSettingsFile, now, error))
        return error;
    const auto as = [&](files::Settings s) { return s.playTime == now.playTime && s.autoSave == now.autoSave; };
    const int s = last['S'];
    if (!(s >= 0 ? as(crashsafety::settingsAt(run, s)) || as(crashsafety::settingsAt(run, s + 1))
                 : as(expected.settings) || as(crashsafety::settingsAt(run, 0))))
        return u"the settings are neither the last reported nor the next"_qs;
    expected.settings = now;

    error = checkAppended(files::kDictionaryFile, files::readDictionary, expected.words, last['W'],
                          [run](int i) { return crashsafety::wordAt(run, i); });
    if (error.isEmpty())
        error = checkAppended(files::kHistoryFile, files::readHistory, expected.history, last['H'],
                              [run](int i) { return asRead(crashsafety::recordAt(run, i)); });
    return error;
}

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT
private slots:
    void filesLoadAndKeepEveryReportedWriteAfterEachKill_data()
    {
        QTest::addColumn<QString>("mode");
        for (const QString &mode : crashsafety::kModes) // settings rewritten, words or records appended, or all
            QTest::newRow(qPrintable(mode)) << mode;
    }

    void filesLoadAndKeepEveryReportedWriteAfterEachKill()
    {
        QFETCH(QString, mode);
        Folder folder;
        Expected expected;

        // KANARINKA_CRASH_MS runs it longer.
        const int budgetMs = std::max(1500, qEnvironmentVariableIntValue("KANARINKA_CRASH_MS"));
        QElapsedTimer elapsed;
        elapsed.start();
        int run = 0, reportedWrites = 0;
        for (; run < 10 || elapsed.elapsed() < budgetMs; ++run) {
            QProcess writer;
            QVERIFY2(startWriter(writer, mode, run), qPrintable(u"writer not started: "_qs + writer.errorString()));
            QThread::usleep(QRandomGenerator::global()->bounded(20000));
            writer.kill();
            QVERIFY(writer.waitForFinished(10000));

            int reported = 0;
            const QString error = checkFiles(writer.readAllStandardOutput(), run, expected, reported);
            QVERIFY2(error.isEmpty(), qPrintable(QStringLiteral("run %1: ").arg(run) + error));
            reportedWrites += reported;
        }
        // A rewrite killed before it was put in place leaves its temporary file behind.
        const qsizetype left = QDir().entryList(QDir::Files | QDir::Hidden).size() - 3;
        qInfo("%s: %d kills, %d writes reported before them, %lld temporary files left", qPrintable(mode), run,
              reportedWrites, qlonglong(left));
    }

    // A second start in the folder touches no file: it asks the first to come forward and ends,
    // while the first writes on.
    void aSecondCopyIsRefusedAndEveryWriteOfTheFirstSurvives()
    {
        Folder folder;
        Expected expected;
        QProcess first, second;
        QVERIFY(startWriter(first, u"all"_qs, 0, true));
        QTest::qWait(100);
        QVERIFY(startWriter(second, u"all"_qs, 1, true));
        // Waiting here keeps reading the first one's output, which it must not block on.
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 10000);
        QCOMPARE(second.readAllStandardOutput(), QByteArray("X 1\n")); // refused, the first one shown
        QCOMPARE(second.exitCode(), 3);
        QByteArray out;
        const auto firstWrote = [&] { return out += first.readAllStandardOutput(); };
        QTRY_VERIFY(firstWrote().contains("shown\n"));
        QTRY_VERIFY(firstWrote().indexOf("\nW ", out.indexOf("shown\n")) > 0); // and writes on
        first.kill();
        QVERIFY(first.waitForFinished(10000));
        int reported = 0;
        const QString error = checkFiles(firstWrote(), 0, expected, reported);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void aLockLeftByAKilledCopyIsTakenOver()
    {
        Folder folder;
        Expected expected;
        for (int run = 0; run < 2; ++run) {
            QProcess writer;
            QVERIFY(startWriter(writer, u"words"_qs, run, true));
            QTest::qWait(20);
            writer.kill();
            writer.waitForFinished(10000);
            const QByteArray out = writer.readAllStandardOutput();
            QVERIFY2(out.startsWith("R 0\n"), out.left(20).constData()); // not refused
            QVERIFY(QFile::exists(platform::kFolderLockName)); // left for the next run
            int reported = 0;
            const QString error = checkFiles(out, run, expected, reported);
            QVERIFY2(error.isEmpty(), qPrintable(error));
        }
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "test_crashsafety.moc"
