// The help viewer against small help files compiled at build time (tests/help-sample), and
// hostile ones compiled here with the same compiler.
#include "help/reader/chmarchive.h"
#include "help/reader/pagecheck.h"
#include "help/viewer/chmhelpviewer.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QMainWindow>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtEndian>
#include <QtTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

using platform::PageFault;

namespace {

const QString kSample = QStringLiteral(HELP_SAMPLES "/sample.chm"); // the one with every feature
const QString kFromContents = QStringLiteral(HELP_SAMPLES "/fromcontents.chm");

// The sample with the 32-bit field `offset` bytes into the block that starts with `mark`
// set to zero.
QByteArray patchedSample(const char *mark, int offset)
{
    QFile file(kSample);
    QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("ITSF");
    if (const qsizetype block = bytes.indexOf(mark); block >= 0)
        qToLittleEndian<quint32>(0, bytes.data() + block + offset);
    return bytes;
}

const QString kFirst = QStringLiteral("最初のページです。");
const QString kSecond = QStringLiteral("二番目のページです。");
const QString kDamaged = QStringLiteral("ヘルプファイル「TovelHelp.chm」を読み込めません。");

QString nested(const QString &open, int depth, const QString &inner, const QString &close)
{
    return open.repeated(depth) + inner + close.repeated(depth);
}

QString deepContents(int depth)
{
    return nested(u"<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"n\"></object>"_qs, depth, {},
                  u"</ul>"_qs);
}

using Files = QMap<QString, QByteArray>; // stored name, content

// A page showing `count` pictures of side × side pixels, each stored under its own name.
Files pictures(int count, int side)
{
    QImage picture(side, side, QImage::Format_Mono);
    picture.fill(0);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    picture.save(&png, "PNG");
    Files files;
    QByteArray page = "<html><body><p>safe</p>";
    for (int i = 0; i < count; ++i) {
        files.insert(u"p%1.png"_qs.arg(i), png.data());
        page += "<img src=\"p" + QByteArray::number(i) + ".png\">";
    }
    files.insert(u"page.html"_qs, page + "</body></html>");
    return files;
}

} // namespace

class TestHelpViewer : public QObject {
    Q_OBJECT
    QTemporaryDir work_; // the working folder, as the player's folder is the game's
    std::unique_ptr<QWidget> owner_;
    std::unique_ptr<ui::ChmHelpViewer> viewer_;
    QList<QUrl> openedOutside_;

    static QList<QMainWindow *> windows()
    {
        QList<QMainWindow *> found;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->objectName() == u"helpWindow")
                found << static_cast<QMainWindow *>(window);
        return found;
    }
    QTextBrowser *browser() const
    {
        return windows().size() == 1 ? windows().first()->findChild<QTextBrowser *>() : nullptr;
    }
    QString shown() const { return browser() ? browser()->toPlainText() : u"(not one help window)"_qs; }
    bool shows(const QString &text) const { return browser() && shown().contains(text); }
    void trigger(const QString &text) const
    {
        for (QAction *action : windows().first()->findChildren<QAction *>())
            if (action->text() == text)
                action->trigger();
    }
    // Runs `action`, answers the message box it opens with `button` and returns its text.
    static QString answerBox(const QString &button, const std::function<void()> &action)
    {
        QString said;
        QTimer::singleShot(0, qApp, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                said = box->text();
                for (QAbstractButton *b : box->buttons())
                    if (b->text() == button)
                        b->click();
            }
        });
        action();
        QCoreApplication::processEvents();
        return said;
    }
    // Compiles `files` into TovelHelp.chm in the working folder, with page.html as its
    // default topic and contents.hhc, if there is one, as its contents.
    static bool compileHelp(const Files &files)
    {
        QTemporaryDir project;
        QByteArray hhp = "[OPTIONS]\nCompiled file=TovelHelp.chm\nDefault topic=page.html\nTitle=t\n";
        if (files.contains(u"contents.hhc"_qs))
            hhp += "Contents file=contents.hhc\n";
        Files all = files;
        all.insert(u"t.hhp"_qs, hhp + "\n[FILES]\n" + files.keys().join(u'\n').toUtf8() + '\n');
        for (auto it = all.cbegin(); it != all.cend(); ++it) {
            QFile file(project.filePath(it.key()));
            if (!file.open(QIODevice::WriteOnly) || file.write(it.value()) != it.value().size())
                return false;
        }
        QProcess chmcmd;
        chmcmd.setWorkingDirectory(project.path());
        chmcmd.start(QStringLiteral(KANARINKA_CHMCMD), {u"--no-html-scan"_qs, u"t.hhp"_qs});
        return chmcmd.waitForFinished(120000) && QFile::copy(project.filePath(u"TovelHelp.chm"_qs), u"TovelHelp.chm"_qs);
    }

public slots:
    void openOutside(const QUrl &url) { openedOutside_ << url; }

private slots:
    void initTestCase() { QVERIFY(work_.isValid() && QDir::setCurrent(work_.path())); }
    // A new owner takes the last test's help windows down with the old one.
    void init()
    {
        QVERIFY(!QFile::exists(u"TovelHelp.chm"_qs) || QFile::remove(u"TovelHelp.chm"_qs));
        owner_ = std::make_unique<QWidget>();
        viewer_ = std::make_unique<ui::ChmHelpViewer>(owner_.get());
    }

    void opensAtTheDefaultTopicUnderTheFilesTitle_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("topic named by the file") << kSample << "見本のヘルプ" << kFirst;
        QTest::newRow("first topic of the contents") << kFromContents << "目次から開くヘルプ" << kSecond;
        QTest::newRow("Shift_JIS title and page") << QStringLiteral(HELP_SAMPLES "/sjis.chm") << "シフトJISの見本"
                                                  << "シフトJISで書いたページです。";
        QTest::newRow("our own help, within every limit") << QStringLiteral(OUR_HELP) << "カナリンカ ヘルプ"
                                                          << "しりとりで日本語の入力を練習する";
    }
    void opensAtTheDefaultTopicUnderTheFilesTitle()
    {
        QFETCH(QString, file);
        QFETCH(QString, title);
        QFETCH(QString, text);
        viewer_->open(file);
        QTRY_VERIFY2(shows(text), qPrintable(shown()));
        QCOMPARE(windows().first()->windowTitle(), title);
        QVERIFY(windows().first()->isVisible() && windows().first()->isWindow());
    }

    void opensFromAFolderWhoseNameIsNotUtf8()
    {
        const QByteArray folder = QFile::encodeName(work_.path()) + "/\x93\xfa\x96\x7b"; // 日本 in Shift_JIS
        QVERIFY(::mkdir(folder.constData(), 0700) == 0 && ::chdir(folder.constData()) == 0);
        const bool copied = QFile::copy(kSample, u"TovelHelp.chm"_qs);
        viewer_->open(u"TovelHelp.chm"_qs);
        const bool opened = QTest::qWaitFor([this] { return shows(kFirst); });
        ::unlink("TovelHelp.chm");
        QVERIFY(QDir::setCurrent(work_.path()) && ::rmdir(folder.constData()) == 0);
        QVERIFY(copied);
        QVERIFY2(opened, qPrintable(shown()));
    }

    void aFollowedLinkShowsItsPageAndBackForwardAndHomeRetraceIt()
    {
        viewer_->open(kSample);
        QTRY_VERIFY(shows(kFirst));
        QTextCursor link = browser()->document()->find(u"次のページへ"_qs);
        QVERIFY(!link.isNull());
        link.setPosition(link.selectionStart() + 1);
        QTest::mouseClick(browser()->viewport(), Qt::LeftButton, {}, browser()->cursorRect(link).center());
        QVERIFY(shows(kSecond));
        trigger(u"戻る"_qs);
        QVERIFY(shows(kFirst));
        trigger(u"進む"_qs);
        QVERIFY(shows(kSecond));
        trigger(u"ホーム"_qs);
        QVERIFY(shows(kFirst));
    }

    void onlyWebLinksLeaveTheHelpAndOnlyOnceConfirmed_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("web");
        QTest::newRow("http") << "http://example.com/a" << true;
        QTest::newRow("https") << "https://example.com/?q=1" << true;
        QTest::newRow("http without a host") << "http:example" << false;
        QTest::newRow("a local file") << "file:///etc/passwd" << false;
    }
    void onlyWebLinksLeaveTheHelpAndOnlyOnceConfirmed()
    {
        QFETCH(QString, link);
        QFETCH(bool, web);
        const QUrl url(link);
        QDesktopServices::setUrlHandler(url.scheme(), this, "openOutside");
        openedOutside_.clear();
        viewer_->open(kSample);
        QTRY_VERIFY(shows(kFirst));
        const auto click = [&] { QMetaObject::invokeMethod(browser(), "anchorClicked", Q_ARG(QUrl, url)); };

        const QString first = answerBox(web ? u"キャンセル"_qs : u"OK"_qs, click);
        QVERIFY2(first.contains(link), qPrintable(first));
        QVERIFY2(first.contains(web ? u"開きますか"_qs : u"開けません"_qs), qPrintable(first));
        QVERIFY(openedOutside_.isEmpty());
        if (web) {
            answerBox(u"開く"_qs, click);
            QCOMPARE(openedOutside_, QList<QUrl>{url});
        }
        QVERIFY(shows(kFirst));
        QDesktopServices::unsetUrlHandler(url.scheme());
    }

    void aFileThatCannotBeShownGetsANoticeNamingIt_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file at all
        QTest::addColumn<QString>("notice");
        QTest::newRow("missing") << QByteArray() << u"ヘルプファイル「TovelHelp.chm」が見つかりません。"_qs;
        QTest::newRow("not a help file") << QByteArray("<html>help</html>") << kDamaged;
        QTest::newRow("a named pipe") << QByteArray("mkfifo") << kDamaged;
        QTest::newRow("cut short") << QByteArray("ITSF\x03\x00\x00\x00", 8) << kDamaged;
        QTest::newRow("no compression window (chmlib divides by zero)") << patchedSample("LZXC", 12) << kDamaged;
        QTest::newRow("a directory chunk that leads back to itself") << patchedSample("PMGL", 16) << kDamaged;
    }
    void aFileThatCannotBeShownGetsANoticeNamingIt()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, notice);
        QFile file(u"TovelHelp.chm"_qs);
        if (content == "mkfifo")
            QCOMPARE(::mkfifo("TovelHelp.chm", 0600), 0);
        else
            QVERIFY(content.isNull() || (file.open(QIODevice::WriteOnly) && file.write(content) == content.size()));
        file.close();
        viewer_->open(file.fileName());
        QTRY_VERIFY2(shows(notice), qPrintable(shown()));
        QVERIFY(shows(QDir(work_.path()).filePath(file.fileName())));
        // Put right, the file shows when opened again.
        QVERIFY(QFile::remove(file.fileName()) || content.isNull());
        QVERIFY(QFile::copy(kSample, file.fileName()));
        viewer_->open(file.fileName());
        QTRY_VERIFY(shows(kFirst));
    }

    // Each shape once froze or crashed the game, or took it to 2 GB; the wait only proves nothing hangs.
    void aHostileFileShowsTheNoticeOrABoundedPage_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QString>("shown");
        const Files page{{u"page.html"_qs, "<p>safe</p>"}};
        auto withContents = [&page](const QString &sitemap) {
            Files files = page;
            files.insert(u"contents.hhc"_qs, sitemap.toUtf8());
            return files;
        };
        QTest::newRow("160,000 <a without > in the contents")
            << withContents(u"<ul>"_qs + u"<a "_qs.repeated(160000)) << u"safe"_qs;
        QTest::newRow("20 pictures of 5000 x 5000") << pictures(20, 5000) << u"safe"_qs;
    }
    void aHostileFileShowsTheNoticeOrABoundedPage()
    {
        QFETCH(Files, files);
        QFETCH(QString, shown);
        QVERIFY(compileHelp(files));
        QElapsedTimer clock;
        clock.start();
        viewer_->open(u"TovelHelp.chm"_qs);
        QTRY_VERIFY_WITH_TIMEOUT(shows(shown), 15000);
        browser()->viewport()->grab(); // lays out and draws every picture
        qInfo("shown in %lld ms", clock.elapsed());
        qint64 decoded = 0;
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            const QVariant picture =
                browser()->document()->resource(QTextDocument::ImageResource, QUrl(u"chm:/"_qs + it.key()));
            decoded += qint64(picture.value<QImage>().width()) * picture.value<QImage>().height();
        }
        QVERIFY2(decoded <= 16 * 1024 * 1024, qPrintable(QString::number(decoded)));
    }

    void pagesBeyondTheLimitsAreRefusedBeforeLayout_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<PageFault>("fault");
        const QString table = u"<table><tr><td>"_qs, untable = u"</td></tr></table>"_qs;
        QTest::newRow("tables nested 3,000 deep") << nested(table, 3000, u"x"_qs, untable) << PageFault::TooDeep;
        QTest::newRow("cells spanning 100,000 rows and columns")
            << u"<table><tr><td colspan=100000 rowspan=100000>x</table>"_qs << PageFault::TableTooLarge;
        QTest::newRow("100,000 characters two tables deep")
            << nested(table, 2, u"字"_qs.repeated(100000), untable) << PageFault::TooCostly;
        QTest::newRow("a picture 100,000,000 pixels high in a cell")
            << u"<td><img height=100000000><dd>x"_qs << PageFault::HugeLength;
        QTest::newRow("9,000 paragraphs") << u"<p>x</p>"_qs.repeated(9000) << PageFault::TooLarge;
    }
    void pagesBeyondTheLimitsAreRefusedBeforeLayout()
    {
        QFETCH(QString, page);
        QFETCH(PageFault, fault);
        QCOMPARE(platform::checkPage(page), fault);
    }

    void contentsBeyondTheLimitsAreRefused_data()
    {
        QTest::addColumn<QString>("sitemap");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("nested 10 deep") << deepContents(10) << true;
        QTest::newRow("nested 200,000 deep") << deepContents(200000) << false;
        QTest::newRow("5,000 entries") << u"<ul>"_qs
                + u"<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"n\"></object>"_qs.repeated(5000)
                                       << false;
    }
    void contentsBeyondTheLimitsAreRefused()
    {
        QFETCH(QString, sitemap);
        QFETCH(bool, accepted);
        QList<platform::ContentsEntry> entries;
        QCOMPARE(platform::parseContents(sitemap, entries), accepted);
    }
};

QTEST_MAIN(TestHelpViewer)
#include "test_helpviewer.moc"
