// The real window on fake services: placement, start-up state, and the events that reach the
// game's handlers through the widgets.
#include "fakes.h"
#include "harness.h"
#include "ui/fonts.h"
#include "ui/historygrid.h"
#include "ui/mainwindow.h"
#include "ui/wordlist.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using platform::MessageIcon;

namespace {

const QByteArray kWords = fakes::cp932(u"りんご\r\nごりら\r\nらっぱ\r\n"_qs);

QByteArray historyRecords(int count)
{
    QByteArray out;
    for (int i = 1; i <= count; ++i)
        out += fakes::cp932(u"\"2010/04/01\",\"13:05:09\",3,%1,0,9,\"100.0%\",\"0.15/秒\",\"60秒\"\r\n"_qs
                                .arg(i));
    return out;
}

// The window started on fake services in a working folder of its own. Its timers are
// stopped: tests tick by hand.
struct Run {
    QTemporaryDir dir;
    QString previousDir = QDir::currentPath();
    fakes::Clock clock;
    fakes::Random random;
    fakes::Messages messages;
    fakes::Help help;
    fakes::Program program;
    ui::MainWindow window;
    game::Game *game = nullptr;
    bool loaded = false;

    explicit Run(const QByteArray &settings = "60,1\r\n", const QByteArray &history = "")
    {
        QDir::setCurrent(dir.path());
        fakes::writeBytes(u"設定.txt"_qs, settings);
        fakes::writeBytes(u"辞書.txt"_qs, kWords);
        fakes::writeBytes(u"履歴.txt"_qs, history);
        game = &window.attach({clock, random, messages, help, program});
        for (QTimer *timer : window.findChildren<QTimer *>())
            timer->stop();
        loaded = game->Form_Load();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCoreApplication::processEvents();
    }
    ~Run() { QDir::setCurrent(previousDir); }

    template <typename T = QWidget>
    T *find(const QString &name)
    {
        T *widget = window.findChild<T *>(name);
        if (!widget)
            QTest::qFail(qPrintable(u"no control "_qs + name), __FILE__, __LINE__);
        return widget;
    }

    // A click where the player would click: the window decides which control gets it.
    void clickAt(QWidget *widget, QPoint pos)
    {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, widget->mapTo(&window, pos));
        QCoreApplication::processEvents();
    }

    // Kana keys, as a kana keyboard sends them.
    static void typeKana(QWidget *widget, const QString &text)
    {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    void type(Qt::Key key)
    {
        QTest::keyClick(window.windowHandle(), key);
        QCoreApplication::processEvents();
    }
};

} // namespace

class TestWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyControlSitsAtItsLayoutPlace_data();
    void everyControlSitsAtItsLayoutPlace();
    void startUpLeavesEveryWordBoxAndStatisticEmpty();
    void startUpShowsTheLearnedWordsSortedWithTheRedLightOnTop();
    void japaneseTextIsDrawnInAJapaneseGothicFace();
    void startUpShowsTheSavedSettings_data();
    void startUpShowsTheSavedSettings();
    void theCheckBoxLooksDifferentInEachOfItsThreeStates();
    void aClickOnTheCheckBoxChecksOrUnchecksItAndSavesTheSetting_data();
    void aClickOnTheCheckBoxChecksOrUnchecksItAndSavesTheSetting();
    void pickingAPlayTimeSavesItButTypingOneDoesNot_data();
    void pickingAPlayTimeSavesItButTypingOneDoesNot();
    void aClickOnTheFrameSwitchesPanelsButAClickOnTheListDoesNot_data();
    void aClickOnTheFrameSwitchesPanelsButAClickOnTheListDoesNot();
    void enterInTheAnswerBoxChecksTheTypedAnswer_data();
    void enterInTheAnswerBoxChecksTheTypedAnswer();
    void tabVisitsTheControlsInLayoutOrderSkippingHiddenOnes();
    void theGridShowsItsHeadersWidthsAndAlignments_data();
    void theGridShowsItsHeadersWidthsAndAlignments();
    void theGridShowsTheNewestRowOnlyOnceThereAreMoreThanSix_data();
    void theGridShowsTheNewestRowOnlyOnceThereAreMoreThanSix();
};

void TestWindow::initTestCase()
{
    ui::useJapaneseFonts();
}

void TestWindow::everyControlSitsAtItsLayoutPlace_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("pixels");
    // Twips / 15, relative to the container.
    const struct {
        const char *name, *parent;
        QRect rect;
    } places[] = {
        {"cmdStart", "frmMain", {345, 10, 56, 61}},    {"cmdHozon", "frmMain", {400, 10, 56, 61}},
        {"cmdClear", "frmMain", {455, 10, 56, 61}},    {"cmdHelp", "frmMain", {510, 10, 56, 61}},
        {"cmdEnd", "frmMain", {565, 10, 56, 61}},      {"Image1", "frmMain", {15, 10, 308, 62}},
        {"Frame1", "frmMain", {9, 87, 616, 358}},      {"Label1_1", "Frame1", {60, 13, 77, 22}},
        {"cboJikan", "Frame1", {60, 30, 71, 27}},      {"chkAs", "Frame1", {140, 30, 28, 28}},
        {"imgStart1", "Frame1", {12, 18, 32, 32}},     {"imgStart3", "Frame1", {12, 18, 32, 32}},
        {"Frame2", "Frame1", {178, 9, 422, 49}},       {"shpJikanK", "Frame1", {15, 63, 583, 5}},
        {"shpJikanB", "Frame1", {15, 63, 583, 5}},     {"Label2_0", "Frame1", {15, 72, 26, 65}},
        {"lblMondai", "Frame1", {40, 72, 387, 65}},    {"Label2_1", "Frame1", {15, 140, 26, 67}},
        {"txtKaitou", "Frame1", {40, 140, 386, 67}},   {"fraRireki", "Frame1", {435, 75, 166, 131}},
        {"fraJisyo", "Frame1", {435, 75, 166, 131}},   {"lstRireki", "fraRireki", {10, 20, 146, 100}},
        {"lstJisyo", "fraJisyo", {10, 20, 146, 100}},  {"lstInpRireki", "Frame1", {0, 140, 11, 52}},
        {"lstHukusu", "Frame1", {0, 70, 11, 40}},      {"msgRireki", "Frame1", {15, 215, 586, 131}},
        {"lblOk", "Frame2", {10, 12, 54, 31}},         {"lblNg", "Frame2", {70, 12, 54, 31}},
        {"lblMoji_T", "Frame2", {130, 12, 62, 31}},    {"lblRitu", "Frame2", {200, 12, 97, 31}},
        {"lblByou", "Frame2", {300, 12, 112, 31}},     {"Line1_1", "frmMain", {10, 84, 610, 1}},
        {"Line1_0", "frmMain", {10, 85, 610, 1}},
    };
    for (const auto &place : places)
        QTest::newRow(place.name) << QString::fromLatin1(place.parent) << place.rect;
}

void TestWindow::everyControlSitsAtItsLayoutPlace()
{
    QFETCH(QString, parent);
    QFETCH(QRect, pixels);
    Run run;
    QCOMPARE(run.window.size(), QSize(631, 452));
    QWidget *control = run.find(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    QCOMPARE(control->geometry(), pixels);
}

void TestWindow::startUpLeavesEveryWordBoxAndStatisticEmpty()
{
    Run run;
    QVERIFY(run.loaded);
    for (const char *name : {"lblMondai", "lblOk", "lblNg", "lblMoji_T", "lblByou", "lblRitu"})
        QCOMPARE(run.find<QLabel>(QLatin1String(name))->text(), QString());
    QCOMPARE(run.find<QLineEdit>(u"txtKaitou"_qs)->text(), QString());
    QCOMPARE(run.window.windowTitle(), u"カナリンカ"_qs);
    QCOMPARE(QApplication::focusWidget(), run.find(u"cmdStart"_qs));
}

void TestWindow::startUpShowsTheLearnedWordsSortedWithTheRedLightOnTop()
{
    Run run;
    QCOMPARE(run.find<QGroupBox>(u"fraJisyo"_qs)->title(), u"覚えた言葉 3個"_qs);
    QVERIFY(run.find(u"fraJisyo"_qs)->isVisible());
    QVERIFY(!run.find(u"fraRireki"_qs)->isVisible());
    QVERIFY(!run.find(u"lstInpRireki"_qs)->isVisible());
    QVERIFY(!run.find(u"lstHukusu"_qs)->isVisible());

    auto *words = run.find<ui::WordList>(u"lstJisyo"_qs);
    QCOMPARE(words->count(), 3);
    QCOMPARE(words->item(0), u"ごりら"_qs);
    QCOMPARE(words->item(1), u"らっぱ"_qs);
    QCOMPARE(words->item(2), u"りんご"_qs);
    QCOMPARE(words->model()->rowCount(), 3);

    QWidget *area = run.find(u"Frame1"_qs);
    const QPoint light = run.find(u"imgStart1"_qs)->geometry().center();
    QCOMPARE(area->childAt(light)->objectName(), u"imgStart1"_qs);
    const QPoint bar = run.find(u"shpJikanK"_qs)->geometry().center();
    QCOMPARE(area->childAt(bar)->objectName(), u"shpJikanK"_qs);
}

void TestWindow::japaneseTextIsDrawnInAJapaneseGothicFace()
{
    Run run;
    const QStringList gothic = QFont::substitutes(ui::kLayoutFontFamily);
    for (const char *name : {"cmdStart", "lblMondai", "msgRireki"}) {
        const QString face = QFontInfo(run.find(QLatin1String(name))->font()).family();
        QVERIFY2(gothic.contains(face, Qt::CaseInsensitive), qPrintable(face));
    }
}

void TestWindow::startUpShowsTheSavedSettings_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("comboText");
    QTest::addColumn<int>("checkState");
    QTest::newRow("listed time, saving on") << QByteArray("60,1\r\n") << u"60"_qs << int(Qt::Checked);
    QTest::newRow("off-list time, saving off") << QByteArray("45,0\r\n") << u"45"_qs << int(Qt::Unchecked);
    QTest::newRow("greyed") << QByteArray("180,2\r\n") << u"180"_qs << int(Qt::PartiallyChecked);
}

void TestWindow::startUpShowsTheSavedSettings()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, comboText);
    QFETCH(int, checkState);
    Run run(settings);
    QVERIFY(run.loaded);
    auto *combo = run.find<QComboBox>(u"cboJikan"_qs);
    QCOMPARE(combo->currentText(), comboText);
    QCOMPARE(combo->count(), 18);
    QCOMPARE(combo->itemText(0), u"10"_qs);
    QCOMPARE(combo->itemText(17), u"180"_qs);
    QCOMPARE(int(run.find<QCheckBox>(u"chkAs"_qs)->checkState()), checkState);
    QCOMPARE(fakes::fileBytes(u"設定.txt"_qs), settings);
}

void TestWindow::theCheckBoxLooksDifferentInEachOfItsThreeStates()
{
    Run run;
    auto *box = run.find<QCheckBox>(u"chkAs"_qs);
    QList<QImage> looks;
    for (Qt::CheckState state : {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked}) {
        box->setCheckState(state);
        looks.append(box->grab().toImage());
    }
    QVERIFY(looks[0] != looks[1]);
    QVERIFY(looks[1] != looks[2]);
    QVERIFY(looks[0] != looks[2]);
}

void TestWindow::aClickOnTheCheckBoxChecksOrUnchecksItAndSavesTheSetting_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("after");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("unchecked") << QByteArray("60,0\r\n") << int(Qt::Checked) << QByteArray("60,1\r\n");
    QTest::newRow("checked") << QByteArray("60,1\r\n") << int(Qt::Unchecked) << QByteArray("60,0\r\n");
    QTest::newRow("greyed") << QByteArray("60,2\r\n") << int(Qt::Checked) << QByteArray("60,1\r\n");
}

void TestWindow::aClickOnTheCheckBoxChecksOrUnchecksItAndSavesTheSetting()
{
    QFETCH(QByteArray, settings);
    QFETCH(int, after);
    QFETCH(QByteArray, saved);
    Run run(settings);
    auto *box = run.find<QCheckBox>(u"chkAs"_qs);
    run.clickAt(box, box->rect().center());
    QCOMPARE(int(box->checkState()), after);
    QCOMPARE(fakes::fileBytes(u"設定.txt"_qs), saved);
}

void TestWindow::pickingAPlayTimeSavesItButTypingOneDoesNot_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Qt::Key>("then");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("arrow key picks the next item") << QString() << Qt::Key_Down << QByteArray("70,1\r\n");
    QTest::newRow("typed item and Enter") << u"30"_qs << Qt::Key_Return << QByteArray("60,1\r\n");
    QTest::newRow("typed item and Tab away") << u"30"_qs << Qt::Key_Tab << QByteArray("60,1\r\n");
}

void TestWindow::pickingAPlayTimeSavesItButTypingOneDoesNot()
{
    QFETCH(QString, typed);
    QFETCH(Qt::Key, then);
    QFETCH(QByteArray, saved);
    Run run;
    auto *combo = run.find<QComboBox>(u"cboJikan"_qs);
    combo->setFocus();
    QCoreApplication::processEvents();
    if (!typed.isEmpty()) {
        combo->lineEdit()->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), typed);
    }
    run.type(then);
    QCOMPARE(fakes::fileBytes(u"設定.txt"_qs), saved);
    QCOMPARE(QString::number(run.game->intJikan), QString::fromLatin1(saved.left(2)));
}

void TestWindow::aClickOnTheFrameSwitchesPanelsButAClickOnTheListDoesNot_data()
{
    QTest::addColumn<bool>("chainShown");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<bool>("chainShownAfter");
    QTest::newRow("learned words: caption") << false << u"fraJisyo"_qs << QPoint(30, 5) << true;
    QTest::newRow("learned words: margin") << false << u"fraJisyo"_qs << QPoint(4, 70) << true;
    QTest::newRow("learned words: below list") << false << u"fraJisyo"_qs << QPoint(80, 126) << true;
    QTest::newRow("learned words: a word") << false << u"lstJisyo"_qs << QPoint(30, 8) << false;
    QTest::newRow("learned words: empty list area") << false << u"lstJisyo"_qs << QPoint(30, 90) << false;
    QTest::newRow("word chain: caption") << true << u"fraRireki"_qs << QPoint(30, 5) << false;
    QTest::newRow("word chain: list") << true << u"lstRireki"_qs << QPoint(30, 50) << true;
}

void TestWindow::aClickOnTheFrameSwitchesPanelsButAClickOnTheListDoesNot()
{
    QFETCH(bool, chainShown);
    QFETCH(QString, target);
    QFETCH(QPoint, pos);
    QFETCH(bool, chainShownAfter);
    Run run;
    QWidget *chain = run.find(u"fraRireki"_qs);
    chain->setVisible(chainShown);
    run.clickAt(run.find(target), pos);
    QCOMPARE(chain->isVisible(), chainShownAfter);
    if (target == u"lstJisyo"_qs && pos.y() < 16) {
        auto *list = run.find<ui::WordList>(target);
        QCOMPARE(list->currentIndex().row(), 0);
    }
}

void TestWindow::enterInTheAnswerBoxChecksTheTypedAnswer_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("ok");
    QTest::addColumn<QString>("ng");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("message");
    // The first word drawn is りんご.
    QTest::newRow("continues the chain") << u"ごりら"_qs << u"1"_qs << u"0"_qs << u"らっぱ"_qs << QString();
    QTest::newRow("breaks the chain") << u"らっぱ"_qs << u"0"_qs << u"1"_qs << u"りんご"_qs
                                      << u"しりとりになっていません！"_qs;
}

void TestWindow::enterInTheAnswerBoxChecksTheTypedAnswer()
{
    QFETCH(QString, typed);
    QFETCH(QString, ok);
    QFETCH(QString, ng);
    QFETCH(QString, word);
    QFETCH(QString, message);
    Run run;
    if (!message.isEmpty())
        run.messages.expect(message, u"間違い"_qs, MessageIcon::Critical);
    auto *start = run.find(u"cmdStart"_qs);
    run.clickAt(start, start->rect().center());
    QVERIFY(!start->isEnabled());
    QVERIFY(run.find(u"fraRireki"_qs)->isVisible());
    for (int tick = 0; tick < 3; ++tick)
        run.game->tmrStart_Timer();
    QCOMPARE(run.find<QLabel>(u"lblMondai"_qs)->text(), u"りんご"_qs);

    auto *answer = run.find<QLineEdit>(u"txtKaitou"_qs);
    QCOMPARE(QApplication::focusWidget(), answer);
    Run::typeKana(answer, typed);
    QTest::keyClick(answer, Qt::Key_Return);
    QCOMPARE(run.find<QLabel>(u"lblOk"_qs)->text(), ok);
    QCOMPARE(run.find<QLabel>(u"lblNg"_qs)->text(), ng);
    QCOMPARE(run.find<QLabel>(u"lblMondai"_qs)->text(), word);
    QCOMPARE(answer->text(), QString());
    QVERIFY(run.messages.expected.isEmpty());
}

void TestWindow::tabVisitsTheControlsInLayoutOrderSkippingHiddenOnes()
{
    Run run;
    const QStringList expected{u"cmdHozon"_qs, u"cmdClear"_qs,  u"cmdHelp"_qs,  u"cmdEnd"_qs,
                               u"cboJikan"_qs, u"chkAs"_qs,     u"msgRireki"_qs, u"txtKaitou"_qs,
                               u"lstJisyo"_qs, u"cmdStart"_qs};
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        run.type(Qt::Key_Tab);
        QWidget *focus = QApplication::focusWidget();
        // The combo's edit field stands for the combo.
        if (qobject_cast<QComboBox *>(focus->parentWidget()))
            focus = focus->parentWidget();
        visited.append(focus->objectName());
    }
    QCOMPARE(visited, expected);
}

void TestWindow::theGridShowsItsHeadersWidthsAndAlignments_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("header");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("alignment");
    const int centre = Qt::AlignCenter;
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    QTest::newRow("回") << 0 << u"回"_qs << 40 << centre;
    QTest::newRow("日付") << 1 << u"日付"_qs << 93 << centre;
    QTest::newRow("時間") << 2 << u"時間"_qs << 67 << centre;
    QTest::newRow("問数") << 3 << u"問数"_qs << 40 << right;
    QTest::newRow("ＯＫ") << 4 << u"ＯＫ"_qs << 40 << right;
    QTest::newRow("ＮＧ") << 5 << u"ＮＧ"_qs << 40 << right;
    QTest::newRow("文字数") << 6 << u"文字数"_qs << 50 << right;
    QTest::newRow("正解率") << 7 << u"正解率"_qs << 59 << right;
    QTest::newRow("秒当たり") << 8 << u"秒当たり"_qs << 65 << right;
    QTest::newRow("表示秒数") << 9 << u"表示秒数"_qs << 68 << right;
}

void TestWindow::theGridShowsItsHeadersWidthsAndAlignments()
{
    QFETCH(int, col);
    QFETCH(QString, header);
    QFETCH(int, width);
    QFETCH(int, alignment);
    Run run("60,1\r\n", historyRecords(2));
    auto *grid = run.find<ui::HistoryGrid>(u"msgRireki"_qs);
    QAbstractItemModel *model = grid->model();
    QCOMPARE(model->headerData(col, Qt::Horizontal).toString(), header);
    QCOMPARE(model->headerData(col, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignCenter));
    QCOMPARE(grid->columnWidth(col), width);
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->index(1, col).data(Qt::TextAlignmentRole).toInt(), alignment);
    QCOMPARE(model->index(1, 0).data().toString(), u"2"_qs);
    QCOMPARE(model->index(1, 9).data().toString(), u"60秒"_qs);
    QVERIFY(!(model->index(1, col).flags() & Qt::ItemIsEditable));
    QCOMPARE(grid->font().pixelSize(), 15); // 11 pt
}

void TestWindow::theGridShowsTheNewestRowOnlyOnceThereAreMoreThanSix_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("firstRowShown"); // whole
    QTest::newRow("6 records fit") << 6 << true;
    QTest::newRow("7 records scroll") << 7 << false;
    QTest::newRow("40 records scroll") << 40 << false;
}

void TestWindow::theGridShowsTheNewestRowOnlyOnceThereAreMoreThanSix()
{
    QFETCH(int, records);
    QFETCH(bool, firstRowShown);
    Run run("60,1\r\n", historyRecords(records));
    auto *grid = run.find<ui::HistoryGrid>(u"msgRireki"_qs);
    const QRect inside = grid->viewport()->rect();
    const QModelIndex newest = grid->model()->index(records - 1, 0);
    QVERIFY(inside.contains(grid->visualRect(newest)));
    QCOMPARE(grid->rowViewportPosition(0) >= 0, firstRowShown);
}

QTEST_MAIN(TestWindow)
#include "test_window.moc"
