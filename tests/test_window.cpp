// The real window on fake services: its stacking, what the widgets show, the events that reach
// the game's handlers through them, and the window in English (every text fits, the switch between
// languages). The game's rules are pinned on fakes elsewhere.
#include "aidedwindow.h"
#include "ui/aids/preferences/languageswitch.h"
#include "ui/base/fixedsize.h"
#include "ui/base/fonts.h"
#include "ui/main/views/historygrid.h"
#include "ui/main/views/wordlist.h"
#include "ui/main/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QWindow>

using platform::Language;

namespace {

QString text(AidedWindow &w, const char *name)
{
    QWidget *widget = w.find(name);
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *frame = qobject_cast<QGroupBox *>(widget))
        return frame->title();
    return QString();
}

QString heading(AidedWindow &w, int col)
{
    return w.find<QTableView>("msgRireki")->model()->headerData(col, Qt::Horizontal).toString();
}

QByteArray historyRecords(int count)
{
    QByteArray out;
    for (int i = 1; i <= count; ++i)
        out += fakes::cp932(u"\"2010/04/01\",\"13:05:09\",3,%1,0,9,\"100.0%\",\"0.15/秒\",\"60秒\"\r\n"_qs.arg(i));
    return out;
}

// The window with its aids, started in a folder of its own with the words りんご, ごりら and
// らっぱ; its timers are stopped, so tests tick by hand.
struct Run : AidedWindow {
    explicit Run(const QByteArray &settings = "60,1\r\n", const QByteArray &history = "")
    {
        fakes::writeBytes(u"設定.txt"_qs, settings);
        fakes::writeBytes(u"履歴.txt"_qs, history);
        load();
    }

    // Input goes where the player's would: the window decides which control gets it.
    void clickAt(QWidget *widget, QPoint pos)
    {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, widget->mapTo(&window, pos));
        QCoreApplication::processEvents();
    }
    void clickAt(QWidget *widget) { clickAt(widget, widget->rect().center()); }
    void type(Qt::Key key) { QTest::keyClick(window.windowHandle(), key), QCoreApplication::processEvents(); }
};

} // namespace

class TestWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::useJapaneseFonts(); }
    void cleanup() { switchTo(Language::Japanese); }

    // Hidden, or under another control at its centre, as the layout stacks them.
    void everyControlIsShownOrCoveredAsLaidOut()
    {
        const QStringList covered =
            u"imgStart2 imgStart3 shpJikanB fraRireki lstRireki lstInpRireki lstHukusu"_qs.split(u' ');
        Run run;
        for (const ui::LayoutPlace &place : ui::layoutPlaces()) {
            QWidget *control = run.find(place.name);
            const QWidget *atCentre = control->parentWidget()->childAt(control->geometry().center());
            QVERIFY2((!control->isVisible() || (atCentre != control && !control->isAncestorOf(atCentre)))
                         == covered.contains(QLatin1String(place.name)),
                     place.name);
        }
    }

    void theSavedSettingsShowAndAClickOnTheCheckBoxSavesItsNewState_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QByteArray>("atStart");   // the file once started
        QTest::addColumn<Qt::CheckState>("shown"); // a click checks it unless it is checked
        QTest::newRow("off-list time, unchecked: rewritten")
            << QByteArray("45\r\n0\r\nmore\r\n") << QByteArray("45,0\r\n") << Qt::Unchecked;
        QTest::newRow("checked") << QByteArray("60,1\r\n") << QByteArray("60,1\r\n") << Qt::Checked;
        QTest::newRow("greyed") << QByteArray("180,2\r\n") << QByteArray("180,2\r\n") << Qt::PartiallyChecked;
    }

    void theSavedSettingsShowAndAClickOnTheCheckBoxSavesItsNewState()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QByteArray, atStart);
        QFETCH(Qt::CheckState, shown);
        Run run(settings);
        QCOMPARE(fakes::fileBytes(u"設定.txt"_qs), atStart);
        const QByteArray time = atStart.first(atStart.indexOf(','));
        auto *combo = run.find<QComboBox>(u"cboJikan"_qs);
        QCOMPARE(combo->currentText().toLatin1(), time);
        auto *box = run.find<QCheckBox>(u"chkAs"_qs);
        QCOMPARE(box->checkState(), shown);
        run.clickAt(box);
        QCOMPARE(box->checkState(), shown == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        QCOMPARE(fakes::fileBytes(u"設定.txt"_qs), time + (shown == Qt::Checked ? ",0\r\n" : ",1\r\n"));
    }

    void pickingAPlayTimeSavesItButTypingOneDoesNot_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Qt::Key>("then");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("arrow key picks the next item") << QString() << Qt::Key_Down << QByteArray("70,1\r\n");
        QTest::newRow("typed item and Enter") << u"30"_qs << Qt::Key_Return << QByteArray("60,1\r\n");
    }

    void pickingAPlayTimeSavesItButTypingOneDoesNot()
    {
        QFETCH(QString, typed);
        QFETCH(Qt::Key, then);
        QFETCH(QByteArray, saved);
        Run run;
        auto *combo = run.find<QComboBox>(u"cboJikan"_qs);
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), typed);
        run.type(then);
        QCOMPARE(fakes::fileBytes(u"設定.txt"_qs), saved);
    }

    void aClickOnTheFrameSwitchesPanelsButAClickOnTheListDoesNot_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("chainShownAfter");
        QTest::newRow("learned words: caption") << u"fraJisyo"_qs << QPoint(30, 5) << true;
        QTest::newRow("learned words: margin") << u"fraJisyo"_qs << QPoint(4, 70) << true;
        QTest::newRow("learned words: a word") << u"lstJisyo"_qs << QPoint(30, 8) << false;
        QTest::newRow("word chain: caption") << u"fraRireki"_qs << QPoint(30, 5) << false;
        QTest::newRow("word chain: list") << u"lstRireki"_qs << QPoint(30, 50) << true;
    }

    void aClickOnTheFrameSwitchesPanelsButAClickOnTheListDoesNot()
    {
        QFETCH(QString, target);
        QFETCH(QPoint, pos);
        QFETCH(bool, chainShownAfter);
        Run run;
        QWidget *chain = run.find(u"fraRireki"_qs);
        chain->setVisible(target.contains(u"Rireki")); // the clicked panel is the one on top
        run.clickAt(run.find(target), pos);
        QCOMPARE(chain->isVisible(), chainShownAfter);
    }

    void tabGoesFromStartThroughTheControlsInLayoutOrderSkippingHiddenOnes()
    {
        Run run;
        const QStringList expected = u"cmdHozon cmdClear cmdHelp cmdEnd cboJikan chkAs msgRireki txtKaitou "
                                     "lstJisyo cmdStart"_qs.split(u' ');
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            run.type(Qt::Key_Tab);
            QWidget *focus = QApplication::focusWidget(); // a combo's edit field stands for the combo
            visited << (qobject_cast<QComboBox *>(focus->parentWidget()) ? focus->parentWidget() : focus)->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void theGridShowsTheHistoryUnderItsHeadersInReadOnlyCells()
    {
        Run run("60,1\r\n", historyRecords(2));
        const QAbstractItemModel *model = run.find<ui::HistoryGrid>(u"msgRireki"_qs)->model();
        QStringList headers, cells;
        for (int col = 0; col < model->columnCount(); ++col) {
            const QModelIndex cell = model->index(1, col);
            headers << model->headerData(col, Qt::Horizontal).toString();
            cells << cell.data().toString();
            QVERIFY(!(cell.flags() & Qt::ItemIsEditable));
        }
        QCOMPARE(headers.join(u' '), u"回 日付 時間 問数 ＯＫ ＮＧ 文字数 正解率 秒当たり 表示秒数"_qs);
        QCOMPARE(cells.join(u' '), u"2 2010/04/01 13:05:09 3 2 0 9 100.0% 0.15/秒 60秒"_qs);
    }

    void theGridShowsTheNewestRowWholeAndScrollsOnlyPastSixRecords()
    {
        for (const int records : {6, 7}) {
            Run run("60,1\r\n", historyRecords(records));
            auto *grid = run.find<ui::HistoryGrid>(u"msgRireki"_qs);
            QVERIFY(grid->viewport()->rect().contains(grid->visualRect(grid->model()->index(records - 1, 0))));
            QCOMPARE(grid->rowViewportPosition(0) >= 0, records == 6); // the first row still shown whole
        }
    }

    // Maximized or full screen, the game's fixed-size window is restored at once; one that can grow is not.
    void aFixedSizeWindowIsRestoredFromEveryLargeState_data()
    {
        QTest::addColumn<int>("state");
        QTest::newRow("maximized") << int(Qt::WindowMaximized);
        QTest::newRow("full screen") << int(Qt::WindowFullScreen);
    }

    void aFixedSizeWindowIsRestoredFromEveryLargeState()
    {
        QFETCH(int, state);
        ui::FixedSizeKeeper keeper;
        Run run;
        QWidget growing;
        growing.show();
        QVERIFY(QTest::qWaitForWindowExposed(&growing));
        const QSize fixed = run.window.size();
        for (QWidget *window : {static_cast<QWidget *>(&run.window), &growing})
            window->windowHandle()->setWindowStates(Qt::WindowStates(state));
        QTRY_COMPARE(run.window.windowHandle()->windowStates(), Qt::WindowNoState);
        QCOMPARE(run.window.size(), fixed);
        QCOMPARE(run.window.maximumSize(), fixed);
        QCOMPARE(growing.windowHandle()->windowStates(), Qt::WindowStates(state));
    }

    void windowStartsInEnglishAndNoTextIsCut()
    {
        switchTo(Language::English);
        AidedWindow w;
        w.load();
        for (const QString &shown : {w.window.windowTitle(), w.find("txtKaitou")->accessibleName()}) // the layout table's
            QVERIFY2(fakes::inEnglish(shown), qPrintable(shown));

        QStringList cut;
        for (QWidget *widget : w.window.findChildren<QWidget *>()) {
            if (!widget->isVisibleTo(&w.window))
                continue;
            const QString name = widget->objectName();
            // A side tag reads downwards, a character a line as tall as its font.
            if (auto *tag = qobject_cast<ui::TagLabel *>(widget)) {
                const int step = tag->font().pixelSize() > 0 ? tag->font().pixelSize() : tag->fontMetrics().height();
                if (tag->text().size() * step > tag->contentsRect().height())
                    cut << name + u": "_qs + tag->text();
                continue;
            }
            if (auto *label = qobject_cast<QLabel *>(widget);
                label && !label->text().isEmpty() && !label->wordWrap() && label->sizeHint().width() > label->width())
                cut << name + u": "_qs + label->text();
            if (auto *button = qobject_cast<QAbstractButton *>(widget);
                button && !button->text().isEmpty() && button->sizeHint().width() > button->width())
                cut << name + u": "_qs + button->text();
            // The caption and the frame's margins on both sides.
            if (auto *frame = qobject_cast<QGroupBox *>(widget); frame && !frame->title().isEmpty()
                && frame->fontMetrics().horizontalAdvance(frame->title()) + 16 > frame->width())
                cut << name + u": "_qs + frame->title();
        }
        auto *grid = w.find<QTableView>("msgRireki");
        for (int col = 0; col < 10; ++col) {
            const QString title = heading(w, col);
            if (grid->horizontalHeader()->fontMetrics().horizontalAdvance(title) + 4 > grid->columnWidth(col))
                cut << u"heading: "_qs + title;
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    }

    // An open window follows the language at once; the saved values stay as the file has them.
    void anOpenWindowFollowsTheLanguage()
    {
        AidedWindow w;
        fakes::writeBytes(u"履歴.txt"_qs,
                          fakes::cp932(u"\"2010/04/01\",\"13:05:09\",812,25,3,98,\"89.3%\",\"1.63/秒\",\"60秒\"\r\n"_qs));
        w.load();
        w.start();
        w.answer(u"ごりら"_qs);
        w.playOut();
        const QStringList japanese{text(w, "cmdStart"), text(w, "lblByou"), text(w, "fraJisyo"), heading(w, 1)};
        QCOMPARE(japanese, (QStringList{u"スタート"_qs, u"0.05/秒"_qs, u"覚えた言葉 3個"_qs, u"日付"_qs}));

        switchTo(Language::English);
        const QStringList english{text(w, "cmdStart"), text(w, "lblByou"), text(w, "fraJisyo"), heading(w, 1)};
        for (const QString &shown : english)
            QVERIFY2(fakes::inEnglish(shown), qPrintable(shown));
        QVERIFY(english[1].startsWith(u"0.05/"_qs) && english[2].endsWith(u'3'));
        QTRY_VERIFY(fakes::inEnglish(w.find("lblByou")->accessibleName())
                    && w.find("lblByou")->accessibleName().endsWith(english[1]));
        const QModelIndex saved = w.find<QTableView>("msgRireki")->model()->index(0, 8);
        QCOMPARE(saved.data().toString(), u"1.63/秒"_qs);

        switchTo(Language::Japanese);
        QCOMPARE((QStringList{text(w, "cmdStart"), text(w, "lblByou"), text(w, "fraJisyo"), heading(w, 1)}), japanese);
    }

    void aChangeDuringAGameWaitsForItsEnd()
    {
        AidedWindow w;
        w.aids = std::make_unique<ui::PlayAids>(w.window, w.messages, w.store, w.sounds, w.clock);
        ui::LanguageSwitch language(*w.aids);
        w.load();
        w.start();
        w.aids->apply({.language = Language::English});
        QCOMPARE(translations::current(), Language::Japanese);
        w.playOut();
        QCOMPARE(translations::current(), Language::English);
        QCoreApplication::processEvents();
        QCOMPARE(text(w, "cmdStart"), u"Start"_qs);
    }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"
