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

QString sample(const QString &name)
{
    return QStringLiteral(HELP_SAMPLES "/") + name;
}

QList<QMainWindow *> helpWindows(const QWidget &owner)
{
    return owner.findChildren<QMainWindow *>(QStringLiteral("helpWindow"));
}

QTextBrowser *browserOf(const QWidget &owner)
{
    const auto windows = helpWindows(owner);
    return windows.size() == 1 ? windows.first()->findChild<QTextBrowser *>() : nullptr;
}

void trigger(const QWidget &owner, const QString &actionText)
{
    for (QAction *action : helpWindows(owner).first()->findChildren<QAction *>()) {
        if (action->text() == actionText)
            return action->trigger();
    }
    QFAIL(qPrintable(QStringLiteral("no action ") + actionText));
}

// The sample help file with its compression window made zero, on which chmlib divides by zero.
QByteArray damagedSample()
{
    QFile file(sample("sample.chm"));
    if (!file.open(QIODevice::ReadOnly))
        return "ITSF";
    QByteArray bytes = file.readAll();
    const qsizetype control = bytes.indexOf("LZXC");
    if (control >= 0)
        qToLittleEndian<quint32>(0, bytes.data() + control + 12);
    return bytes;
}

void clickText(QTextBrowser *browser, const QString &text)
{
    QTextCursor at = browser->document()->find(text);
    QVERIFY2(!at.isNull(), qPrintable(text));
    at.setPosition(at.selectionStart() + 1);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(at).center());
}

} // namespace

class TestHelpViewer : public QObject {
    Q_OBJECT

private slots:
    // Each test runs in a working folder of its own, as the game does in the player's folder.
    void init()
    {
        work_ = std::make_unique<QTemporaryDir>();
        QVERIFY(work_->isValid());
        QDir::setCurrent(work_->path());
    }
    void cleanup()
    {
        QDir::setCurrent(QDir::tempPath());
        work_.reset();
    }

    void opensAtTheDefaultTopicUnderTheFilesTitle_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("topic named by the file") << sample("sample.chm") << "見本のヘルプ"
                                                 << "最初のページです。";
        QTest::newRow("first topic of the contents") << sample("fromcontents.chm")
                                                     << "目次から開くヘルプ" << "二番目のページです。";
        QTest::newRow("Shift_JIS title and page") << sample("sjis.chm") << "シフトJISの見本"
                                                  << "シフトJISで書いたページです。";
    }
    void opensAtTheDefaultTopicUnderTheFilesTitle()
    {
        QFETCH(QString, file);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QWidget owner;
        ui::ChmHelpViewer viewer(&owner);
        viewer.open(file);
        QCOMPARE(helpWindows(owner).size(), 1);
        QCOMPARE(helpWindows(owner).first()->windowTitle(), title);
        QVERIFY(helpWindows(owner).first()->isVisible());
        QVERIFY(helpWindows(owner).first()->isWindow());
        QVERIFY2(browserOf(owner)->toPlainText().contains(text), qPrintable(browserOf(owner)->toPlainText()));
    }

    void aFollowedLinkShowsItsPageAndBackAndForwardRetraceIt()
    {
        QWidget owner;
        ui::ChmHelpViewer viewer(&owner);
        viewer.open(sample("sample.chm"));
        QTextBrowser *browser = browserOf(owner);
        clickText(browser, QStringLiteral("次のページへ"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("二番目のページです。")));
        trigger(owner, QStringLiteral("戻る"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("最初のページです。")));
        trigger(owner, QStringLiteral("進む"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("二番目のページです。")));
        trigger(owner, QStringLiteral("ホーム"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("最初のページです。")));
    }

    void aPictureStoredInTheFileIsDrawn()
    {
        QWidget owner;
        ui::ChmHelpViewer viewer(&owner);
        viewer.open(sample("sample.chm"));
        QTextBrowser *browser = browserOf(owner);
        const QImage shown = browser->viewport()->grab().toImage();
        const QRgb pictureBlue = qRgb(0x30, 0x70, 0xc0);
        int bluePixels = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x)
                bluePixels += shown.pixel(x, y) == pictureBlue;
        }
        QCOMPARE(bluePixels, 40 * 20);
    }

    void theContentsListTheTopicsAndOpenThem()
    {
        QWidget owner;
        ui::ChmHelpViewer viewer(&owner);
        viewer.open(sample("sample.chm"));
        auto *tree = helpWindows(owner).first()->findChild<QTreeWidget *>();
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem *first = tree->topLevelItem(0);
        QCOMPARE(first->text(0), QStringLiteral("最初"));
        QCOMPARE(first->childCount(), 1);
        QCOMPARE(first->child(0)->text(0), QStringLiteral("二番目 & 続き"));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(first->child(0)).center());
        QVERIFY(browserOf(owner)->toPlainText().contains(QStringLiteral("二番目のページです。")));
    }

    void openingTheSameFileAgainRaisesItsOneWindow()
    {
        QWidget owner;
        ui::ChmHelpViewer viewer(&owner);
        QVERIFY(QFile::copy(sample("sample.chm"), QStringLiteral("TovelHelp.chm")));
        viewer.open(QStringLiteral("TovelHelp.chm"));
        QMainWindow *window = helpWindows(owner).first();
        window->showMinimized();
        viewer.open(QStringLiteral("TovelHelp.chm"));
        QCOMPARE(helpWindows(owner), QList<QMainWindow *>{window});
        QVERIFY(window->isVisible());
        QVERIFY(!window->isMinimized());
    }

    void closeAllClosesEveryHelpWindow()
    {
        QWidget owner;
        ui::ChmHelpViewer viewer(&owner);
        viewer.open(sample("sample.chm"));
        viewer.open(sample("fromcontents.chm"));
        viewer.open(QStringLiteral("missing.chm"));
        QCOMPARE(helpWindows(owner).size(), 3);
        viewer.closeAll();
        QTRY_COMPARE(helpWindows(owner).size(), 0);
        viewer.closeAll(); // with nothing open: harmless
    }

    void aFileThatCannotBeShownGetsANoticeNamingIt_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file at all
        QTest::addColumn<QString>("notice");
        QTest::newRow("missing") << QByteArray() << "ヘルプファイル「TovelHelp.chm」が見つかりません。";
        QTest::newRow("not a help file") << QByteArray("<html>help</html>")
                                         << "ヘルプファイル「TovelHelp.chm」を読み込めません。";
        QTest::newRow("cut short") << QByteArray("ITSF\x03\x00\x00\x00", 8)
                                   << "ヘルプファイル「TovelHelp.chm」を読み込めません。";
        QTest::newRow("damaged inside") << damagedSample()
                                        << "ヘルプファイル「TovelHelp.chm」を読み込めません。";
    }
    void aFileThatCannotBeShownGetsANoticeNamingIt()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, notice);
        if (!content.isNull()) {
            QFile file(QStringLiteral("TovelHelp.chm"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QWidget owner;
        ui::ChmHelpViewer viewer(&owner);
        viewer.open(QStringLiteral("TovelHelp.chm"));
        QCOMPARE(helpWindows(owner).size(), 1);
        QVERIFY(helpWindows(owner).first()->isVisible());
        const QString shown = browserOf(owner)->toPlainText();
        QVERIFY2(shown.contains(notice), qPrintable(shown));
        QVERIFY(shown.contains(QDir(work_->path()).filePath(QStringLiteral("TovelHelp.chm"))));
    }

    void aFilePutInPlaceAfterANoticeIsShownWhenOpenedAgain()
    {
        QWidget owner;
        ui::ChmHelpViewer viewer(&owner);
        viewer.open(QStringLiteral("TovelHelp.chm"));
        QVERIFY(QFile::copy(sample("sample.chm"), QStringLiteral("TovelHelp.chm")));
        viewer.open(QStringLiteral("TovelHelp.chm"));
        QCOMPARE(helpWindows(owner).size(), 1);
        QVERIFY(browserOf(owner)->toPlainText().contains(QStringLiteral("最初のページです。")));
    }

private:
    std::unique_ptr<QTemporaryDir> work_;
};

QTEST_MAIN(TestHelpViewer)
#include "test_helpviewer.moc"
