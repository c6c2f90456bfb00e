// `cmake --install` into a folder of the test's own, and what the installed tree holds.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QString kDefaults = QStringLiteral(KANARINKA_DATADIR "/kanarinka/defaults/");

struct Run {
    int exitCode = -1;
    QByteArray out, err;
};

Run run(const QString &program, const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    Run result;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void installsEachFileInItsPlace_data();
    void installsEachFileInItsPlace();
    void startingDictionaryIsTheWordListInTheGamesEncoding();
    void rendersTheIconAtEachThemeSize_data();
    void rendersTheIconAtEachThemeSize();
    void desktopFilesPassTheirValidators_data();
    void desktopFilesPassTheirValidators();
    void installedLauncherSeedsFromTheInstalledDefaults();
    void wordListToolRefusesWordsTheGameCannotUse_data();
    void wordListToolRefusesWordsTheGameCannotUse();

private:
    QString installed(const QString &path) const { return m_prefix.filePath(path); }
    QTemporaryDir m_prefix;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_prefix.isValid());
    const Run install = run(QStringLiteral(KANARINKA_CMAKE),
                            {u"--install"_qs, QStringLiteral(KANARINKA_BUILD_DIR), u"--prefix"_qs, m_prefix.path()});
    QVERIFY2(install.exitCode == 0, install.err.constData());
}

void TestInstall::installsEachFileInItsPlace_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<QByteArray>("content");
    const QString id = QStringLiteral(KANARINKA_APP_ID);
    QTest::newRow("launcher on the PATH") << QStringLiteral(KANARINKA_BINDIR "/kanarinka") << true << false << QByteArray();
    QTest::newRow("game") << QStringLiteral(KANARINKA_LIBEXECDIR "/kanarinka/kanarinka") << true << false << QByteArray();
    QTest::newRow("settings: 60 seconds, auto-save on") << kDefaults + u"設定.txt"_qs << false << true << QByteArray("60,1\r\n");
    QTest::newRow("empty history") << kDefaults + u"履歴.txt"_qs << false << true << QByteArray();
    QTest::newRow("desktop entry") << QStringLiteral(KANARINKA_DATADIR "/applications/%1.desktop").arg(id) << false << false << QByteArray();
    QTest::newRow("AppStream metadata") << QStringLiteral(KANARINKA_DATADIR "/metainfo/%1.metainfo.xml").arg(id) << false << false << QByteArray();
    QTest::newRow("scalable icon") << QStringLiteral(KANARINKA_DATADIR "/icons/hicolor/scalable/apps/kanarinka.svg") << false << false << QByteArray();
    QTest::newRow("word list licence") << QStringLiteral(KANARINKA_DOCDIR "/WORDLIST-LICENSE.md") << false << false << QByteArray();
}

void TestInstall::installsEachFileInItsPlace()
{
    QFETCH(QString, path);
    QFETCH(bool, executable);
    QFETCH(bool, exact);
    QFETCH(QByteArray, content);
    const QFileInfo info(installed(path));
    QVERIFY2(info.isFile(), qPrintable(info.filePath()));
    QCOMPARE(info.isExecutable(), executable);
    if (exact)
        QCOMPARE(bytesOf(info.filePath()), content);
    else
        QVERIFY(info.size() > 0);
}

void TestInstall::startingDictionaryIsTheWordListInTheGamesEncoding()
{
    const QByteArray bytes = bytesOf(installed(kDefaults + u"辞書.txt"_qs));
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
    QStringDecoder decoder("windows-31j", QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    QVERIFY(!decoder.hasError());

    QStringList words = QString::fromUtf8(bytesOf(QStringLiteral(KANARINKA_WORD_LIST))).split(u'\n');
    words.removeAll(QString());
    QCOMPARE(words.size(), 6008);
    QCOMPARE(text.split(u"\r\n"_qs, Qt::SkipEmptyParts), words);
}

void TestInstall::rendersTheIconAtEachThemeSize_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%dx%d", size, size) << size;
}

void TestInstall::rendersTheIconAtEachThemeSize()
{
    QFETCH(int, size);
    const QImage image(installed(QStringLiteral(KANARINKA_DATADIR "/icons/hicolor/%1x%1/apps/kanarinka.png").arg(size)));
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY2(qAlpha(image.pixel(size / 2, size / 2)) > 0, "the middle of the icon is drawn");
}

void TestInstall::desktopFilesPassTheirValidators_data()
{
    QTest::addColumn<QString>("validator");
    QTest::addColumn<QStringList>("args");
    const QString id = QStringLiteral(KANARINKA_APP_ID);
    QTest::newRow("desktop entry") << u"desktop-file-validate"_qs
                                   << QStringList{QStringLiteral(KANARINKA_DATADIR "/applications/%1.desktop").arg(id)};
    QTest::newRow("AppStream metadata") << u"appstreamcli"_qs
                                        << QStringList{u"validate"_qs, u"--no-net"_qs,
                                                       QStringLiteral(KANARINKA_DATADIR "/metainfo/%1.metainfo.xml").arg(id)};
}

void TestInstall::desktopFilesPassTheirValidators()
{
    QFETCH(QString, validator);
    QFETCH(QStringList, args);
    const QString program = QStandardPaths::findExecutable(validator);
    if (program.isEmpty())
        QSKIP(qPrintable(validator + u" is not installed"_qs));
    args.back() = installed(args.back());
    const Run check = run(program, args);
    QVERIFY2(check.exitCode == 0, (check.out + check.err).constData());
}

// The installed game swapped for a stand-in that reports where it was started.
void TestInstall::installedLauncherSeedsFromTheInstalledDefaults()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    QSKIP("the data folder is moved through XDG_DATA_HOME, which only freedesktop systems honour");
#endif
    const QString game = installed(QStringLiteral(KANARINKA_LIBEXECDIR "/kanarinka/kanarinka"));
    QVERIFY(QFile::remove(game));
    QVERIFY(QFile::copy(QStringLiteral(KANARINKA_STANDIN), game));

    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(u"xdg"_qs));
    const Run launch = run(installed(QStringLiteral(KANARINKA_BINDIR "/kanarinka")), {}, env);
    QVERIFY2(launch.exitCode == 0, launch.err.constData());

    const QDir data(home.filePath(u"xdg/kanarinka"_qs));
    QCOMPARE(QString::fromUtf8(launch.out).trimmed(), data.canonicalPath());
    const QDir defaults(installed(kDefaults));
    QVERIFY(defaults.entryList(QDir::Files).contains(u"辞書.txt"_qs));
    for (const QString &name : defaults.entryList(QDir::Files))
        QCOMPARE(bytesOf(data.filePath(name)), bytesOf(defaults.filePath(name)));
}

void TestInstall::wordListToolRefusesWordsTheGameCannotUse_data()
{
    QTest::addColumn<QByteArray>("words");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("why");
    QTest::newRow("ends in ん") << QByteArray("ねこ\nみかん\n") << u":2:"_qs << u"「ん」"_qs;
    QTest::newRow("ends in ー") << QByteArray("こーひー\n") << u":1:"_qs << u"「ー」"_qs;
    QTest::newRow("katakana") << QByteArray("ねこ\nこま\nマリ\n") << u":3:"_qs << u"「マ」"_qs;
    QTest::newRow("outside CP932") << QByteArray("ゔぇにす\n") << u":1:"_qs << u"U+3094"_qs;
    QTest::newRow("empty line") << QByteArray("ねこ\n\nこま\n") << u":2:"_qs << u"empty"_qs;
    QTest::newRow("twice") << QByteArray("ねこ\nこま\nねこ\n") << u":3:"_qs << u"line 1"_qs;
    QTest::newRow("not UTF-8") << QByteArray("\x82\xb2\x82\xe8\n") << u"words.txt"_qs << u"UTF-8"_qs;
}

void TestInstall::wordListToolRefusesWordsTheGameCannotUse()
{
    QFETCH(QByteArray, words);
    QFETCH(QString, where);
    QFETCH(QString, why);
    QTemporaryDir dir;
    QFile input(dir.filePath(u"words.txt"_qs));
    QVERIFY(input.open(QIODevice::WriteOnly) && input.write(words) == words.size());
    input.close();
    const QString output = dir.filePath(u"out/辞書.txt"_qs);

    const Run tool = run(QStringLiteral(KANARINKA_WORDLIST_TOOL), {input.fileName(), output});
    QCOMPARE_NE(tool.exitCode, 0);
    const QString message = QString::fromUtf8(tool.err);
    QVERIFY2(message.contains(u"words.txt"_qs + (where.startsWith(u':') ? where : QString())), qPrintable(message));
    QVERIFY2(message.contains(why), qPrintable(message));
    QVERIFY2(!QFileInfo::exists(output), "a refused list writes no dictionary");
}

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
