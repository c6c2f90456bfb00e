// The launcher, run as the player runs it: a copy of it beside a stand-in game and the
// default files, with a home folder of the test's own.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size(), qPrintable(path));
}

struct Run {
    int exitCode = -1;
    QStringList out; // the stand-in's working folder, then its arguments
    QString err;
};

const QByteArray kHelp = "help, as installed";

} // namespace

class TestLauncher : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void firstRunSeedsEveryDefaultFileAndStartsTheGameInTheDataFolder();
    void laterRunsLeaveThePlayersFilesAlone_data();
    void laterRunsLeaveThePlayersFilesAlone();
    void aDeletedPlayerFileIsSeededAgainAndTheOthersKept();
    void theHelpFileIsBroughtBackToTheInstalledOne();
    void passesTheGamesExitStatusAndArgumentsThrough_data();
    void passesTheGamesExitStatusAndArgumentsThrough();
    void missingDefaultsAreReportedAndTheGameStillStarts();
    void stopsWithAMessageNamingWhatIsMissing_data();
    void stopsWithAMessageNamingWhatIsMissing();

private:
    Run launch(int exitStatus = 0, const QStringList &args = {});
    QString app(const QString &name = {}) const { return m_dir->filePath(QStringLiteral("app/") + name); }
    QString defaults(const QString &name = {}) const { return app(QStringLiteral("data/defaults/") + name); }
    QString data(const QString &name = {}) const { return m_dir->filePath(QStringLiteral("xdg/kanarinka/") + name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestLauncher::initTestCase()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    QSKIP("the data folder is moved through XDG_DATA_HOME, which only freedesktop systems honour");
#endif
    QVERIFY2(QFileInfo(QStringLiteral(KANARINKA_DEFAULTS_DIR "/辞書.txt")).isFile(),
             "build the default files first");
}

// The build tree's layout in a folder of the test's own: launcher, game, defaults. The
// defaults are read-only, as installed files are for the player.
void TestLauncher::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(defaults()));
    QVERIFY(QFile::copy(QStringLiteral(KANARINKA_LAUNCHER), app(QFileInfo(KANARINKA_LAUNCHER).fileName())));
    QVERIFY(QFile::copy(QStringLiteral(KANARINKA_STANDIN), app(QStringLiteral("kanarinka"))));
    const QDir built(QStringLiteral(KANARINKA_DEFAULTS_DIR));
    for (const QString &name : built.entryList(QDir::Files))
        QVERIFY(QFile::copy(built.filePath(name), defaults(name)));
    QFile::remove(defaults(QStringLiteral("TovelHelp.chm")));
    write(defaults(QStringLiteral("TovelHelp.chm")), kHelp);
    for (const QString &name : QDir(defaults()).entryList(QDir::Files))
        QVERIFY(QFile::setPermissions(defaults(name), QFileDevice::ReadOwner | QFileDevice::ReadOther));
}

Run TestLauncher::launch(int exitStatus, const QStringList &args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_dir->filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir->filePath(QStringLiteral("xdg")));
    env.insert(QStringLiteral("KANARINKA_STANDIN_EXIT"), QString::number(exitStatus));
    process.setProcessEnvironment(env);
    process.start(app(QFileInfo(KANARINKA_LAUNCHER).fileName()), args);
    Run run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

void TestLauncher::firstRunSeedsEveryDefaultFileAndStartsTheGameInTheDataFolder()
{
    const Run run = launch();
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QCOMPARE(run.out.value(0), QFileInfo(data()).canonicalFilePath());
    const QStringList names = QDir(defaults()).entryList(QDir::Files);
    QCOMPARE(QDir(data()).entryList(QDir::Files | QDir::Hidden), names); // no temporary files left
    for (const QString &name : names) {
        QCOMPARE(bytesOf(data(name)), bytesOf(defaults(name)));
        QVERIFY2(QFileInfo(data(name)).isWritable(), qPrintable(name));
    }
}

void TestLauncher::laterRunsLeaveThePlayersFilesAlone_data()
{
    QTest::addColumn<QString>("seeded");
    QTest::addColumn<QString>("players");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("settings changed") << u"設定.txt"_qs << u"設定.txt"_qs << QByteArray("90,0\r\n");
    QTest::newRow("words learned") << u"辞書.txt"_qs << u"辞書.txt"_qs << QByteArray("\x82\xb2\x82\xe8\x82\xe7\r\n");
    QTest::newRow("result saved") << u"履歴.txt"_qs << u"履歴.txt"_qs
                                  << QByteArray("\"2026/01/02\",\"10:00:00\",60,5,1,20,\"83.3%\",\"0.33/\x95\x62\",6010\r\n");
    QTest::newRow("dictionary in another letter case") << u"辞書.txt"_qs << u"辞書.TXT"_qs << QByteArray("x\r\n");
}

void TestLauncher::laterRunsLeaveThePlayersFilesAlone()
{
    QFETCH(QString, seeded);
    QFETCH(QString, players);
    QFETCH(QByteArray, content);
    QCOMPARE(launch().exitCode, 0);
    QVERIFY(QFile::remove(data(seeded)));
    write(data(players), content);

    const Run run = launch();
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(bytesOf(data(players)), content);
    const QStringList sameName = QDir(data()).entryList({seeded}, QDir::Files); // name filters ignore case
    QCOMPARE(sameName, QStringList{players});
}

void TestLauncher::aDeletedPlayerFileIsSeededAgainAndTheOthersKept()
{
    QCOMPARE(launch().exitCode, 0);
    write(data(u"設定.txt"_qs), "120,0\r\n");
    QVERIFY(QFile::remove(data(u"履歴.txt"_qs)));

    QCOMPARE(launch().exitCode, 0);
    QCOMPARE(bytesOf(data(u"設定.txt"_qs)), QByteArray("120,0\r\n"));
    QVERIFY(QFileInfo(data(u"履歴.txt"_qs)).isFile());
    QCOMPARE(bytesOf(data(u"履歴.txt"_qs)), bytesOf(defaults(u"履歴.txt"_qs)));
}

void TestLauncher::theHelpFileIsBroughtBackToTheInstalledOne()
{
    QCOMPARE(launch().exitCode, 0);
    write(data(u"TovelHelp.chm"_qs), "help of an older version");
    QCOMPARE(launch().exitCode, 0);
    QCOMPARE(bytesOf(data(u"TovelHelp.chm"_qs)), kHelp);
}

void TestLauncher::passesTheGamesExitStatusAndArgumentsThrough_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("args");
    QTest::newRow("success") << 0 << QStringList();
    QTest::newRow("failure") << 1 << QStringList();
    QTest::newRow("any status, Qt options") << 42 << QStringList{u"-platform"_qs, u"offscreen"_qs};
}

void TestLauncher::passesTheGamesExitStatusAndArgumentsThrough()
{
    QFETCH(int, status);
    QFETCH(QStringList, args);
    const Run run = launch(status, args);
    QCOMPARE(run.exitCode, status);
    QCOMPARE(run.out.mid(1), args);
}

void TestLauncher::missingDefaultsAreReportedAndTheGameStillStarts()
{
    QDir(defaults()).removeRecursively();
    const Run run = launch(5);
    QCOMPARE(run.exitCode, 5); // the game itself reports the missing files in a message box
    QCOMPARE(run.out.value(0), QFileInfo(data()).canonicalFilePath());
    QVERIFY2(run.err.contains(QDir::toNativeSeparators(QDir::cleanPath(defaults()))), qPrintable(run.err));
}

void TestLauncher::stopsWithAMessageNamingWhatIsMissing_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("no game beside the launcher") << u"game"_qs;
    QTest::newRow("a file where the data folder goes") << u"data"_qs;
}

void TestLauncher::stopsWithAMessageNamingWhatIsMissing()
{
    QFETCH(QString, what);
    QString named;
    if (what == u"game") {
        named = app(u"kanarinka"_qs);
        QVERIFY(QFile::remove(named));
    } else {
        named = QDir::cleanPath(data());
        QVERIFY(QDir().mkpath(QFileInfo(named).path()));
        write(named, "not a folder");
    }
    const Run run = launch();
    QCOMPARE_NE(run.exitCode, 0);
    QVERIFY2(run.out.isEmpty(), "the game must not start");
    QVERIFY2(run.err.contains(QDir::toNativeSeparators(named)), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestLauncher)
#include "test_launcher.moc"
