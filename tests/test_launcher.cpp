// The launcher, run as the player runs it: a copy of it beside a stand-in game and the
// default files, with a home folder of the test's own.
#include "harness.h"

#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#endif

using fakes::fileBytes;
using fakes::writeBytes;

namespace {

// out: the stand-in's working folder, then its arguments.
struct Run {
    int exitCode = -1;
    QStringList out;
    QString err;
};

const QString kLauncher = QFileInfo(KANARINKA_LAUNCHER).fileName();

} // namespace

class TestLauncher : public QObject {
    Q_OBJECT
    QString app(const QString &name = {}) const { return m_dir->filePath(u"app/"_qs + name); }
    QString defaults(const QString &name = {}) const { return app(u"data/defaults/"_qs + name); }
    QString data(const QString &name = {}) const { return m_dir->filePath(u"xdg/kanarinka/"_qs + name); }
    std::unique_ptr<QTemporaryDir> m_dir;
    QProcessEnvironment m_env;

    Run launch(int exitStatus = 0, const QStringList &args = {})
    {
        QProcess process;
        QProcessEnvironment env = m_env;
        env.insert(u"KANARINKA_STANDIN_EXIT"_qs, QString::number(exitStatus));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(m_dir->path()); // where a relative path would lead
#ifdef Q_OS_LINUX
        // Permissions hold for root too, as for the players the launcher is for.
        process.setChildProcessModifier([] { ::prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0); });
#endif
        process.start(app(kLauncher), args);
        Run run;
        if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit) {
            run.exitCode = process.exitCode();
            run.out = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
            run.err = QString::fromUtf8(process.readAllStandardError());
        }
        return run;
    }

private slots:
    // The build tree's layout: launcher, game, defaults, the defaults read-only as installed ones are.
    void init()
    {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
        QSKIP("the data folder is moved through XDG_DATA_HOME, which only freedesktop systems honour");
#endif
        m_dir = std::make_unique<QTemporaryDir>();
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(u"HOME"_qs, m_dir->filePath(u"home"_qs));
        m_env.insert(u"XDG_DATA_HOME"_qs, m_dir->filePath(u"xdg"_qs));
        QVERIFY(m_dir->isValid() && QDir().mkpath(defaults()));
        QVERIFY(QFile::copy(QStringLiteral(KANARINKA_LAUNCHER), app(kLauncher)));
        QVERIFY(QFile::copy(QStringLiteral(KANARINKA_STANDIN), app(u"kanarinka"_qs)));
        const QDir built(QStringLiteral(KANARINKA_DEFAULTS_DIR));
        QVERIFY2(built.exists(u"辞書.txt"_qs) && built.exists(u"TovelHelp.chm"_qs),
                 "build the default files and help first");
        for (const QString &name : built.entryList(QDir::Files)) {
            QVERIFY(QFile::copy(built.filePath(name), defaults(name)));
            QVERIFY(QFile::setPermissions(defaults(name), QFileDevice::ReadOwner | QFileDevice::ReadOther));
        }
    }

    void firstRunSeedsEveryDefaultFileAndStartsTheGameInTheDataFolder()
    {
        const Run run = launch();
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        QCOMPARE(run.out.value(0), QFileInfo(data()).canonicalFilePath());
        const QStringList names = QDir(defaults()).entryList(QDir::Files);
        QCOMPARE(QDir(data()).entryList(QDir::Files | QDir::Hidden), names); // no temporary files left
        for (const QString &name : names) {
            QCOMPARE(fileBytes(data(name)), fileBytes(defaults(name)));
            QVERIFY2(QFileInfo(data(name)).permissions() & QFileDevice::WriteOwner, qPrintable(name)); // even for root
        }
    }

    void aLaterRunKeepsWhatThePlayerChangedAndPutsBackTheRest_data()
    {
        QTest::addColumn<QString>("name");       // as the player left it, in any letter case
        QTest::addColumn<QByteArray>("content"); // null: the player deleted it
        QTest::addColumn<bool>("kept");          // else the default is put back
        QTest::newRow("settings changed") << u"設定.txt"_qs << QByteArray("90,0\r\n") << true;
        QTest::newRow("words learned") << u"辞書.txt"_qs << QByteArray("\x82\xb2\r\n") << true;
        QTest::newRow("result saved") << u"履歴.txt"_qs << QByteArray("a result\r\n") << true;
        QTest::newRow("dictionary in another letter case") << u"辞書.TXT"_qs << QByteArray("x\r\n") << true;
        QTest::newRow("settings deleted") << u"設定.txt"_qs << QByteArray() << false;
        QTest::newRow("help of an older version") << u"TovelHelp.chm"_qs << QByteArray("old help") << false;
        QTest::newRow("help replaced by a named pipe") << u"TovelHelp.chm"_qs << QByteArray("mkfifo") << false;
    }
    void aLaterRunKeepsWhatThePlayerChangedAndPutsBackTheRest()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, kept);
        QCOMPARE(launch().exitCode, 0);
        for (const QString &seeded : QDir(data()).entryList({name}, QDir::Files)) // name filters ignore case
            QVERIFY(QFile::remove(data(seeded)));
        if (content == "mkfifo")
            QCOMPARE(::mkfifo(QFile::encodeName(data(name)).constData(), 0600), 0);
        else if (!content.isNull())
            writeBytes(data(name), content);

        QCOMPARE(launch().exitCode, 0);
        QCOMPARE(fileBytes(data(name)), kept ? content : fileBytes(defaults(name)));
        QCOMPARE(QDir(data()).entryList({name}, QDir::Files), QStringList{name});
    }

    // Each sees the files missing; only one may put them in place, and neither may complain.
    void twoFirstRunsAtOnceSeedTheFolderOnce()
    {
        for (int round = 0; round < 8; ++round) {
            QVERIFY(QDir(data()).removeRecursively());
            QProcess runs[2];
            for (QProcess &run : runs)
                run.setProcessEnvironment(m_env), run.start(app(kLauncher));
            for (QProcess &run : runs)
                QVERIFY(run.waitForFinished(30000) && run.exitCode() == 0 && run.readAllStandardError().isEmpty());
            QCOMPARE(QDir(data()).entryList(QDir::Files | QDir::Hidden), QDir(defaults()).entryList(QDir::Files));
        }
    }

    void passesTheGamesExitStatusAndArgumentsThrough()
    {
        const QStringList qtOptions{u"-platform"_qs, u"offscreen"_qs};
        const Run run = launch(42, qtOptions);
        QCOMPARE(run.exitCode, 42);
        QCOMPARE(run.out.mid(1), qtOptions);
    }

    void theDataFolderFollowsTheXdgRulesOrTheGameSaysWhyNot_data()
    {
        QTest::addColumn<QString>("home");   // in the test's folder; empty: unset
        QTest::addColumn<QString>("xdg");    // as it is; empty: unset
        QTest::addColumn<QString>("folder"); // where the game starts; empty: it does not
        QTest::addColumn<QString>("why");
        QTest::newRow("relative XDG_DATA_HOME, ignored")
            << u"home"_qs << u"xdg"_qs << u"home/.local/share/kanarinka"_qs << QString();
        QTest::newRow("HOME unset") << QString() << QString() << QString() << u"HOME"_qs;
        QTest::newRow("HOME a file") << u"file"_qs << QString() << QString() << u"file」 はフォルダではありません"_qs;
        QTest::newRow("a folder the player may not write to")
            << u"ro"_qs << QString() << QString()
            << u"ro/.local/share/kanarinka」 にファイルを作れません: 書き込む権限がありません"_qs;
    }
    void theDataFolderFollowsTheXdgRulesOrTheGameSaysWhyNot()
    {
        QFETCH(QString, home);
        QFETCH(QString, xdg);
        QFETCH(QString, folder);
        QFETCH(QString, why);
        writeBytes(m_dir->filePath(u"file"_qs), "not a folder");
        const QString readOnly = m_dir->filePath(u"ro/.local/share/kanarinka"_qs);
        QVERIFY(QDir().mkpath(readOnly)
                && QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        m_env.remove(u"HOME"_qs);
        m_env.remove(u"XDG_DATA_HOME"_qs);
        if (!home.isEmpty())
            m_env.insert(u"HOME"_qs, m_dir->filePath(home));
        if (!xdg.isEmpty())
            m_env.insert(u"XDG_DATA_HOME"_qs, xdg);
        const Run run = launch();
        if (QFile::exists(readOnly + u"/設定.txt"_qs))
            QSKIP("permissions do not hold for this user");
        QCOMPARE(run.out.value(0), folder.isEmpty() ? QString() : QFileInfo(m_dir->filePath(folder)).canonicalFilePath());
        QVERIFY2(run.err.contains(why), qPrintable(run.err));
        // Told once, with no warning of Qt's about it.
        QVERIFY2(run.err.count(u"kanarinka: "_qs) == (why.isEmpty() ? 0 : 1) && !run.err.contains(u"QFile"_qs),
                 qPrintable(run.err));
    }

    // The game itself then reports the missing files in a message box.
    void missingDefaultsAreReportedAndTheGameStillStarts()
    {
        QVERIFY(QDir(defaults()).removeRecursively());
        const Run run = launch();
        QCOMPARE(run.out.value(0), QFileInfo(data()).canonicalFilePath());
        QVERIFY2(run.err.contains(QDir::toNativeSeparators(QDir::cleanPath(defaults()))), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(TestLauncher)
#include "test_launcher.moc"
