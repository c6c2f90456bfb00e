// The help viewer against small help files compiled at build time (tests/help-sample).
#include "ui/help/chmhelpviewer.h"

#include <QAction>
#include <QDir>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QtEndian>
#include <QtTest>

#include <memory>

namespace {

const QString kSample = QStringLiteral(HELP_SAMPLES "/sample.chm"); // the one with every feature
const QString kFromContents = QStringLiteral(HELP_SAMPLES "/fromcontents.chm");

// The sample with its compression window made zero, on which chmlib divides by zero.
QByteArray damagedSample()
{
    QFile file(kSample);
    QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("ITSF");
    if (const qsizetype control = bytes.indexOf("LZXC"); control >= 0)
        qToLittleEndian<quint32>(0, bytes.data() + control + 12);
    return bytes;
}

const QString kFirst = QStringLiteral("最初のページです。");
const QString kSecond = QStringLiteral("二番目のページです。");

} // namespace

class TestHelpViewer : public QObject {
    Q_OBJECT
    QTemporaryDir work_; // the working folder, as the player's folder is the game's
    std::unique_ptr<QWidget> owner_;
    std::unique_ptr<ui::ChmHelpViewer> viewer_;

    QList<QMainWindow *> windows() const { return owner_->findChildren<QMainWindow *>(u"helpWindow"_qs); }
    QTextBrowser *browser() const { return windows().size() == 1 ? windows().first()->findChild<QTextBrowser *>() : nullptr; }
    QString shown() const { return browser() ? browser()->toPlainText() : u"(not one help window)"_qs; }
    bool shows(const QString &text) const { return browser() && shown().contains(text); }
    void trigger(const QString &text) const
    {
        for (QAction *action : windows().first()->findChildren<QAction *>())
            if (action->text() == text)
                action->trigger();
    }

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
        QTest::newRow("Shift_JIS title and page") << QStringLiteral(HELP_SAMPLES "/sjis.chm") << "シフトJISの見本" << "シフトJISで書いたページです。";
    }
    void opensAtTheDefaultTopicUnderTheFilesTitle()
    {
        QFETCH(QString, file);
        QFETCH(QString, title);
        QFETCH(QString, text);
        viewer_->open(file);
        QVERIFY2(shows(text), qPrintable(shown()));
        QCOMPARE(windows().first()->windowTitle(), title);
        QVERIFY(windows().first()->isVisible() && windows().first()->isWindow());
    }

    void aFollowedLinkShowsItsPageAndBackForwardAndHomeRetraceIt()
    {
        viewer_->open(kSample);
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

    void aPictureStoredInTheFileIsDrawn()
    {
        viewer_->open(kSample);
        const QImage shown = browser()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto *pixels = reinterpret_cast<const QRgb *>(shown.constBits());
        QCOMPARE(std::count(pixels, pixels + shown.width() * shown.height(), qRgb(0x30, 0x70, 0xc0)), 40 * 20); // its blue
    }

    void openingTheSameFileAgainRaisesItsOneWindow()
    {
        QVERIFY(QFile::copy(kSample, u"TovelHelp.chm"_qs));
        viewer_->open(u"TovelHelp.chm"_qs);
        QMainWindow *window = windows().first();
        window->showMinimized();
        viewer_->open(u"TovelHelp.chm"_qs);
        QCOMPARE(windows(), QList<QMainWindow *>{window});
        QVERIFY(window->isVisible() && !window->isMinimized());
    }

    void closeAllClosesTheHelpWindowsThePlayerLeftOpen()
    {
        for (const QString &file : {kSample, kFromContents, u"missing.chm"_qs})
            viewer_->open(file);
        windows().first()->close(); // by the player
        QTRY_COMPARE(windows().size(), 2);
        viewer_->closeAll();
        QTRY_COMPARE(windows().size(), 0);
        viewer_->closeAll(); // with nothing open: harmless
    }

    void aFileThatCannotBeShownGetsANoticeNamingIt_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file at all
        QTest::addColumn<QString>("notice");
        const QString unreadable = u"ヘルプファイル「TovelHelp.chm」を読み込めません。"_qs;
        QTest::newRow("missing") << QByteArray() << u"ヘルプファイル「TovelHelp.chm」が見つかりません。"_qs;
        QTest::newRow("not a help file") << QByteArray("<html>help</html>") << unreadable;
        QTest::newRow("cut short") << QByteArray("ITSF\x03\x00\x00\x00", 8) << unreadable;
        QTest::newRow("damaged inside") << damagedSample() << unreadable;
    }
    void aFileThatCannotBeShownGetsANoticeNamingIt()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, notice);
        QFile file(u"TovelHelp.chm"_qs);
        QVERIFY(content.isNull() || (file.open(QIODevice::WriteOnly) && file.write(content) == content.size()));
        file.close();
        viewer_->open(file.fileName());
        QVERIFY2(shows(notice), qPrintable(shown()));
        QVERIFY(shows(QDir(work_.path()).filePath(file.fileName())));
        // Put right, the file shows when opened again.
        QVERIFY(QFile::remove(file.fileName()) || content.isNull());
        QVERIFY(QFile::copy(kSample, file.fileName()));
        viewer_->open(file.fileName());
        QVERIFY(shows(kFirst));
    }
};

QTEST_MAIN(TestHelpViewer)
#include "test_helpviewer.moc"
