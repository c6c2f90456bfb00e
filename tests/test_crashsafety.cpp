// The folder's lock, and files that a writer killed at a random moment never leaves unreadable nor
// short of a write it had reported; a second writer started beside it now and then is turned away.
#include "test_crashsafety.h"
#include "files/dictionary.h"
#include "harness.h"
#include "platform/onecopy/onecopy.h"
#include "platform/text/textfile.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QThread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

// The answer record as the others are read: every line a row, under its first line.
bool readAnswers(const QString &name, QList<progress::AnswerRow> &rows, QString &error)
{
    progress::AnswerFileContents record;
    const auto state = progress::AnswerFile(name).read(record, error);
    if (record.badLines > 0)
        error = QStringLiteral("%1 lines of the answer record are bad").arg(record.badLines);
    rows = record.rows;
    return (state == progress::AnswerFile::State::Ready || state == progress::AnswerFile::State::Missing)
        && record.badLines == 0;
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
    if (now != want && now != want + QList<T>{make(reported + 1)})
        return QStringLiteral("%1: %2 entries, %3 before the run and %4 reported written since\n%5")
            .arg(name)
            .arg(now.size())
            .arg(entries.size())
            .arg(reported + 1)
            .arg(fileTail(name));
    entries = now;
    if (QFileInfo(name).size() > kRestartBytes && platform::rewriteTextFile(name, QString(), error))
        entries.clear();
    return error;
}

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT
private slots:
#ifdef Q_OS_UNIX
    // Qt can't spell back a folder name that isn't UTF-8: the lock is reached by a relative name.
    void theFolderIsLockedWhereQtCannotSpellItsName()
    {
        const fakes::InFolder folder;
        QVERIFY(::mkdir("\xff-folder", 0700) == 0 && ::chdir("\xff-folder") == 0);
        platform::OneCopy first, second;
        QCOMPARE(first.start(u"."_qs), platform::OneCopy::Start::First);
        QCOMPARE(second.start(u"."_qs, 0), platform::OneCopy::Start::Running);
    }
#endif

    // Nothing answers for the folder: whatever is left where the lock goes is nobody's.
    void aLockNoCopyAnswersForIsTakenOver_data()
    {
        QTest::addColumn<QByteArray>("left"); // the lock file's bytes; null: a folder
        QTest::addColumn<bool>("inFolder");   // a file in that folder
        QTest::addColumn<QString>("error");   // empty: taken over
        const QByteArray live = QByteArray::number(QCoreApplication::applicationPid()) + '\n'
            + QCoreApplication::applicationName().toUtf8() + '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
        QTest::newRow("empty, cut off by a crash") << QByteArray("") << false << QString();
        QTest::newRow("no lock") << QByteArray("hello") << false << QString();
        QTest::newRow("a live copy's id, reused") << live << false << QString();
        QTest::newRow("an empty folder") << QByteArray() << false << QString();
        QTest::newRow("a folder with a file: named")
            << QByteArray() << true << u".kanarinka.lock」 を作れません。同じ名前のフォルダ"_qs;
    }

    void aLockNoCopyAnswersForIsTakenOver()
    {
        QFETCH(QByteArray, left);
        QFETCH(bool, inFolder);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString lock = dir.filePath(platform::kFolderLockName);
        if (left.isNull())
            QVERIFY(QDir(dir.path()).mkpath(platform::kFolderLockName + (inFolder ? u"/kept"_qs : QString())));
        else
            fakes::writeBytes(lock, left);
        platform::OneCopy copy, second;
        QCOMPARE(copy.start(dir.path(), 200),
                 error.isEmpty() ? platform::OneCopy::Start::First : platform::OneCopy::Start::Failed);
        QVERIFY2(copy.error().contains(error), qPrintable(copy.error()));
        if (error.isEmpty()) {
            QVERIFY(QFileInfo(lock).isFile());
            QCOMPARE(second.start(dir.path(), 0), platform::OneCopy::Start::Running); // the holder, busy here
        }
    }

    // A copy with another HOME can't ask the running one, and must not take its lock; one of three wins.
    void aLiveCopyThatCannotBeAskedKeepsTheFolder_data()
    {
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("apartMs"); // between the first start and the others
        QTest::newRow("a second start with another HOME") << 2 << 400;
        QTest::newRow("three at once") << 3 << 0;
    }

    void aLiveCopyThatCannotBeAskedKeepsTheFolder()
    {
        QFETCH(int, copies);
        QFETCH(int, apartMs);
        QTemporaryDir dir;
        std::vector<std::unique_ptr<QProcess>> writers;
        // Each with a HOME of its own.
        for (int i = 0; i < copies; ++i) {
            auto &writer = writers.emplace_back(std::make_unique<QProcess>());
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(u"HOME"_qs, QStringLiteral("/home-%1").arg(i));
            writer->setProcessEnvironment(env);
            writer->setWorkingDirectory(dir.path());
            writer->start(QStringLiteral(CRASHSAFETY_WRITER), {u"settings"_qs, QString::number(i)});
            if (i == 0 && apartMs > 0) {
                QVERIFY(writer->waitForReadyRead(10000));
                QThread::msleep(apartMs);
            }
        }
        // The others wait for the holder for a while, then give up; the winner writes on.
        const auto finished = [&] {
            return std::count_if(writers.begin(), writers.end(),
                                 [](const auto &writer) { return writer->state() == QProcess::NotRunning; });
        };
        QTRY_COMPARE_WITH_TIMEOUT(finished(), copies - 1, 10000);
        qint64 holder = 0;
        QVERIFY(platform::lockFolder(dir.path())->getLockInfo(&holder, nullptr, nullptr));
        for (auto &writer : writers) {
            if (writer->state() == QProcess::NotRunning)
                QCOMPARE(writer->readAllStandardOutput(), QByteArray("X 2\n")); // told that it runs
            else
                QCOMPARE(writer->processId(), holder);
            writer->kill();
            writer->waitForFinished();
        }
    }

    // The later start's activation token reaches the running copy; one that can't come forward says so.
    void theRunningCopyGetsTheLaterStartsToken_data()
    {
        QTest::addColumn<QByteArray>("token");
        QTest::addColumn<bool>("canShow");
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<platform::OneCopy::Start>("start");
        QTest::newRow("a token") << QByteArray("sway-4-12a") << true << QByteArray("sway-4-12a")
                                 << platform::OneCopy::Start::Shown;
        QTest::newRow("none, and no way forward without")
            << QByteArray() << false << QByteArray() << platform::OneCopy::Start::NotShown;
        QTest::newRow("a second line is no token")
            << QByteArray("a\nshow b") << true << QByteArray() << platform::OneCopy::Start::Shown;
    }

    void theRunningCopyGetsTheLaterStartsToken()
    {
        QFETCH(QByteArray, token);
        QFETCH(bool, canShow);
        QFETCH(QByteArray, received);
        QFETCH(platform::OneCopy::Start, start);
        QTemporaryDir dir;
        QThread running;
        auto *first = new platform::OneCopy;
        QCOMPARE(first->start(dir.path()), platform::OneCopy::Start::First);
        QByteArray got = "(not asked)";
        first->setShowHandler([&](const QByteArray &given) { return got = given, canShow; });
        first->moveToThread(&running);
        connect(&running, &QThread::finished, first, &QObject::deleteLater);
        running.start();
        platform::OneCopy second;
        const auto answer = second.start(dir.path(), 5000, token);
        running.quit();
        QVERIFY(running.wait(5000));
        QCOMPARE(answer, start);
        QCOMPARE(got, received);
    }

    // Anyone on the machine can connect: one who says nothing is let go, so such connections
    // can't use up the file handles the game's own files need.
    void aConnectionThatSaysNothingIsLetGo()
    {
        QTemporaryDir dir;
        platform::OneCopy first;
        QCOMPARE(first.start(dir.path()), platform::OneCopy::Start::First);
        const QLocalServer *server = first.findChild<QLocalServer *>();
        QLocalSocket idle;
        if (server->socketOptions() & QLocalServer::AbstractNamespaceOption)
            idle.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
        idle.connectToServer(server->serverName());
        QVERIFY(idle.waitForConnected(1000));
        QTRY_COMPARE_WITH_TIMEOUT(idle.state(), QLocalSocket::UnconnectedState, 4000);
    }

#ifdef Q_OS_UNIX
    // A lock that could not be written names the reason, as every file of the game does.
    void aLockThatCannotBeWrittenSaysWhy()
    {
        QTemporaryDir dir;
        platform::OneCopy copy;
        const auto start = [&] {
            const fakes::ResourceLimit noByte(RLIMIT_FSIZE, 0);
            return copy.start(dir.path(), 0);
        }();
        QCOMPARE(start, platform::OneCopy::Start::Failed);
        QVERIFY2(copy.error().endsWith(u".kanarinka.lock」 を作れません: "_qs
                                       + QString::fromLocal8Bit(std::strerror(EFBIG))),
                 qPrintable(copy.error()));
        QVERIFY(!QFile::exists(dir.filePath(platform::kFolderLockName)));
    }
#endif

    void filesLoadAndKeepEveryReportedWriteAfterEachKill_data()
    {
        QTest::addColumn<QString>("mode");
        for (const QString &mode : crashsafety::kModes) // settings rewritten, words or records appended, or all
            QTest::newRow(qPrintable(mode)) << mode;
    }

    void filesLoadAndKeepEveryReportedWriteAfterEachKill()
    {
        QFETCH(QString, mode);
        const fakes::InFolder folder;
        QString error;
        files::Settings settings{60, 1};
        QVERIFY(files::writeSettings(files::kSettingsFile, settings, error));
        QVERIFY(platform::rewriteTextFile(files::kDictionaryFile, QString(), error));
        QVERIFY(platform::rewriteTextFile(files::kHistoryFile, QString(), error));
        QStringList words;
        QList<files::HistoryRecord> history;
        QList<progress::AnswerRow> answers;

        // KANARINKA_CRASH_MS runs it longer.
        const int budgetMs = std::max(1500, qEnvironmentVariableIntValue("KANARINKA_CRASH_MS"));
        QElapsedTimer elapsed;
        elapsed.start();
        for (int run = 0; run < 10 || elapsed.elapsed() < budgetMs; ++run) {
            QProcess writer;
            writer.start(QStringLiteral(CRASHSAFETY_WRITER), {mode, QString::number(run)});
            while (!writer.canReadLine())
                QVERIFY2(writer.waitForReadyRead(10000), qPrintable(u"writer not started: "_qs + writer.errorString()));
            // Each writer takes over the lock that the one killed before it left.
            QVERIFY2(writer.peek(4) == "R 0\n", writer.peek(16).constData());
            if (run % 4 == 1) { // a second start meanwhile is refused, and must not cost the first a write
                QProcess second;
                second.start(QStringLiteral(CRASHSAFETY_WRITER), {mode, QString::number(run)});
                QVERIFY(second.waitForFinished(10000));
                QCOMPARE(second.readAllStandardOutput(), QByteArray("X 1\n")); // the first answered
            } else {
                QThread::usleep(QRandomGenerator::global()->bounded(20000));
            }
            writer.kill();
            QVERIFY(writer.waitForFinished(10000));

            QMap<char, int> last{{'S', -1}, {'W', -1}, {'H', -1}, {'A', -1}}; // the last step reported written
            for (const QByteArray &line : writer.readAllStandardOutput().split('\n')) {
                QVERIFY2(!line.startsWith("E "), qPrintable(QString::fromUtf8(line)));
                if (line.size() > 2 && last.contains(line[0]))
                    last[line[0]] = line.mid(2).toInt();
            }

            const QString where = QStringLiteral("run %1: ").arg(run);
            files::Settings now;
            QVERIFY2(files::readSettings(files::kSettingsFile, now, error), qPrintable(where + error));
            const auto as = [&](files::Settings s) { return s.playTime == now.playTime && s.autoSave == now.autoSave; };
            const int s = last['S'];
            QVERIFY2(s >= 0 ? as(crashsafety::settingsAt(run, s)) || as(crashsafety::settingsAt(run, s + 1))
                            : as(settings) || as(crashsafety::settingsAt(run, 0)),
                     qPrintable(where + u"the settings are neither the last reported nor the next"_qs));
            settings = now;

            error = checkAppended(files::kDictionaryFile, files::readDictionary, words, last['W'],
                                  [run](int i) { return crashsafety::wordAt(run, i); });
            QVERIFY2(error.isEmpty(), qPrintable(where + error));
            error = checkAppended(files::kHistoryFile, files::readHistory, history, last['H'],
                                  [run](int i) { return asRead(crashsafety::recordAt(run, i)); });
            QVERIFY2(error.isEmpty(), qPrintable(where + error));
            error = checkAppended(progress::kAnswerRecordFile, readAnswers, answers, last['A'],
                                  [run](int i) { return crashsafety::answerAt(run, i); });
            QVERIFY2(error.isEmpty(), qPrintable(where + error));
        }
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "test_crashsafety.moc"
