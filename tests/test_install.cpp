// `cmake --install` into a folder of the test's own, and what the installed tree holds.
#include "harness.h"

#include <QProcess>
#include <QStringDecoder>

namespace {

const QString kDefaults = QStringLiteral(KANARINKA_DATADIR "/kanarinka/defaults/");
const QString kDesktop = QStringLiteral(KANARINKA_DATADIR "/applications/" KANARINKA_APP_ID ".desktop");
const QString kMetainfo = QStringLiteral(KANARINKA_DATADIR "/metainfo/" KANARINKA_APP_ID ".metainfo.xml");

// Exit code (-1 when it did not finish normally), then stdout + stderr.
std::pair<int, QByteArray> run(const QString &program, const QStringList &args,
                               const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    const bool done = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
    return {done ? process.exitCode() : -1, process.readAllStandardOutput() + process.readAllStandardError()};
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT
    QString installed(const QString &path) const { return m_prefix.filePath(path); }
    QTemporaryDir m_prefix;

private slots:
    void initTestCase()
    {
        const auto [status, output] =
            run(QStringLiteral(KANARINKA_CMAKE),
                {u"--install"_qs, QStringLiteral(KANARINKA_BUILD_DIR), u"--prefix"_qs, m_prefix.path()});
        QVERIFY2(status == 0, output.constData());
    }

    void installsEachFileInItsPlace_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("content"); // null: any, but not empty
        QTest::newRow("settings: 60 seconds, auto-save on") << kDefaults + u"設定.txt"_qs << QByteArray("60,1\r\n");
        QTest::newRow("empty history") << kDefaults + u"履歴.txt"_qs << QByteArray("");
        QTest::newRow("help") << kDefaults + u"TovelHelp.chm"_qs << QByteArray();
        QTest::newRow("English help") << kDefaults + u"TovelHelp_en.chm"_qs << QByteArray();
        QTest::newRow("desktop entry") << kDesktop << QByteArray();
        QTest::newRow("AppStream metadata") << kMetainfo << QByteArray();
        QTest::newRow("scalable icon") << QStringLiteral(KANARINKA_DATADIR "/icons/hicolor/scalable/apps/kanarinka.svg")
                                       << QByteArray();
        QTest::newRow("word list licence") << QStringLiteral(KANARINKA_DOCDIR "/WORDLIST-LICENSE.md") << QByteArray();
    }
    void installsEachFileInItsPlace()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, content);
        const QFileInfo info(installed(path));
        QVERIFY2(info.isFile(), qPrintable(info.filePath()));
        if (content.isNull())
            QVERIFY(info.size() > 0);
        else
            QCOMPARE(fakes::fileBytes(info.filePath()), content);
    }

    void startingDictionaryIsTheWordListInTheGamesEncoding()
    {
        const QByteArray bytes = fakes::fileBytes(installed(kDefaults + u"辞書.txt"_qs));
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
        QStringDecoder cp932("windows-31j", QStringDecoder::Flag::Stateless);
        const QString text = cp932.decode(bytes);
        QVERIFY(!cp932.hasError());
        const QStringList words =
            QString::fromUtf8(fakes::fileBytes(QStringLiteral(KANARINKA_WORD_LIST))).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(text.split(u"\r\n"_qs, Qt::SkipEmptyParts), words);
    }

    // The installed game swapped for a stand-in that prints the folder it was started in.
    void installedLauncherSeedsFromTheInstalledDefaults()
    {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
        QSKIP("the data folder is moved through XDG_DATA_HOME, which only freedesktop systems honour");
#endif
        const QString game = installed(QStringLiteral(KANARINKA_LIBEXECDIR "/kanarinka/kanarinka"));
        QVERIFY(QFileInfo(game).isExecutable());
        QVERIFY(QFile::remove(game) && QFile::copy(QStringLiteral(KANARINKA_STANDIN), game));
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_qs, home.path());
        env.insert(u"XDG_DATA_HOME"_qs, home.filePath(u"xdg"_qs));
        const auto [status, output] = run(installed(QStringLiteral(KANARINKA_BINDIR "/kanarinka")), {}, env);
        const QDir data(home.filePath(u"xdg/kanarinka"_qs));
        QCOMPARE(status, 0);
        QCOMPARE(QString::fromUtf8(output).trimmed(), data.canonicalPath());
        const QDir defaults(installed(kDefaults));
        QCOMPARE(data.entryList(QDir::Files), defaults.entryList(QDir::Files));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
