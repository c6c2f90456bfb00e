#include "mainwindow.h"

#include "answerbox.h"
#include "translations/language.h"
#include "ui/base/fonts.h"
#include "ui/base/pictures.h"
#include "ui/main/views/historygrid.h"
#include "ui/main/views/wordlist.h"
#include "widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cstring>
#include <limits>

namespace ui {
namespace {

const QColor kIvory(255, 255, 240);

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

template <typename W>
W *MainWindow::placed(W *widget, const char *name)
{
    const int row = layoutRow(name);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(layoutPlaces()[row].pixels());
    placed_[row] = widget;
    return widget;
}

template <typename W, typename... Args>
W *MainWindow::add(const char *name, Args &&...args)
{
    const char *container = layoutPlaces()[layoutRow(name)].container;
    QWidget *parent = std::strcmp(container, "frmMain") == 0 ? this : placed_[layoutRow(container)];
    return placed(new W(std::forward<Args>(args)..., parent), name);
}

QLabel *MainWindow::addLabel(const char *name, double points, Qt::Alignment alignment, bool border)
{
    auto *label = add<QLabel>(name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(layoutFont(points));
    label->setAlignment(alignment);
    if (border)
        label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    return label;
}

QWidget *MainWindow::addShape(const char *name, const QColor &fill)
{
    auto *shape = add<QWidget>(name);
    shape->setAutoFillBackground(true);
    setColour(shape, QPalette::Window, fill);
    return shape;
}

QLabel *MainWindow::addImage(const char *name, const QPixmap &pixmap)
{
    auto *image = add<QLabel>(name);
    image->setPixmap(pixmap);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return image;
}

WordList *MainWindow::addList(const char *name, bool sorted)
{
    auto *list = add<WordList>(name, sorted);
    setColour(list, QPalette::Base, kIvory);
    return list;
}

struct MainWindow::Adapters {
    LabelAdapter lblMondai, lblOk, lblNg, lblMoji_T, lblByou, lblRitu;
    TextBoxAdapter txtKaitou;
    FrameAdapter fraRireki, fraJisyo;
    ButtonAdapter cmdStart;
    CheckBoxAdapter chkAs;
    ComboBoxAdapter cboJikan;
    ShapeAdapter shpJikanK;
    ImageArrayAdapter imgStart;
};

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmMain"));
    translations::keepTranslated(this, [this] { setWindowTitle(tr("カナリンカ")); });
    setWindowIcon(picture(QStringLiteral("kanarinka")));
    setFixedSize(twipsToPixels(9465), twipsToPixels(6780));

    placed_.resize(layoutPlaces().size());
    buildTitleRow();
    buildPlayingArea();
    orderFocus();
    translations::keepTranslated(this, [this] {
        describeControls(placed_);
        // The figures take their new units in their own turn, after the window's.
        QTimer::singleShot(0, this, &MainWindow::nameValues);
    });

    tmrStart_ = new QTimer(this);
    tmrStart_->setObjectName(QStringLiteral("tmrStart"));
    tmrBp_ = new QTimer(this);
    tmrBp_->setObjectName(QStringLiteral("tmrBp"));
    for (QTimer *timer : {tmrStart_, tmrBp_})
        timer->setInterval(1000);

    adapters_.reset(new Adapters{LabelAdapter(lblMondai_), LabelAdapter(lblOk_), LabelAdapter(lblNg_),
                                 LabelAdapter(lblMoji_T_), LabelAdapter(lblByou_), LabelAdapter(lblRitu_),
                                 TextBoxAdapter(txtKaitou_), FrameAdapter(fraRireki_), FrameAdapter(fraJisyo_),
                                 ButtonAdapter(cmdStart_), CheckBoxAdapter(chkAs_), ComboBoxAdapter(cboJikan_),
                                 ShapeAdapter(shpJikanK_, 8745), ImageArrayAdapter(imgStart_)});

    // Centred; a window larger than the screen (a high scale factor) keeps its top left on it,
    // with the title bar and the title row.
    if (const QScreen *screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        const QPoint centred = available.center() - rect().center();
        move(std::max(centred.x(), available.left()), std::max(centred.y(), available.top()));
    }
    cmdStart_->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildTitleRow()
{
    const struct {
        QToolButton *&button;
        const char *name, *picture;
        const char *caption, *tip; // untranslated
    } buttons[] = {
        {cmdStart_, "cmdStart", "kanarinka", QT_TR_NOOP("スタート"), QT_TR_NOOP("ゲームをスタートします")},
        {cmdHozon_, "cmdHozon", "save", QT_TR_NOOP("保存"), QT_TR_NOOP("データを保存します")},
        {cmdClear_, "cmdClear", "clear", QT_TR_NOOP("クリア"), QT_TR_NOOP("履歴データをクリアします")},
        {cmdHelp_, "cmdHelp", "help", QT_TR_NOOP("ヘルプ"), QT_TR_NOOP("ヘルプファイルを開きます")},
        {cmdEnd_, "cmdEnd", "exit", QT_TR_NOOP("終了"), QT_TR_NOOP("プログラムを終了します")},
    };
    // One row, 825 twips apart: each overlaps its left neighbour by a pixel.
    for (const auto &each : buttons) {
        QToolButton *button = each.button =
            placed(makePictureButton(this, QString(), QString(), picture(QLatin1String(each.picture)), QString()),
                   each.name);
        translations::keepTranslated(button, [button, caption = each.caption, tip = each.tip] {
            button->setText(tr(caption));
            button->setToolTip(tr(tip));
        });
    }

    const qreal ratio = screen() ? screen()->devicePixelRatio() : 1.0;
    QLabel *banner = addImage("Image1", QPixmap());
    translations::keepTranslated(banner, [banner, ratio] { banner->setPixmap(titleBanner(ratio)); });

    // The etched rule under the title row: a black line with a white one below it.
    addShape("Line1_1", Qt::black);
    addShape("Line1_0", Qt::white);
}

void MainWindow::buildPlayingArea()
{
    Frame1_ = add<QGroupBox>("Frame1");
    Frame1_->setFocusPolicy(Qt::NoFocus);
    buildPlayTime();
    buildStatistics();
    buildWordBoxes();
    buildPanels();
    buildLists();
}

void MainWindow::buildPlayTime()
{
    QLabel *playTime = addLabel("Label1_1", 11.25, Qt::AlignLeft | Qt::AlignTop, false);
    translations::keepTranslated(playTime, [playTime] { playTime->setText(tr("プレイ秒数")); });

    cboJikan_ = add<PickCombo>("cboJikan");
    cboJikan_->setFont(layoutFont(14.25));
    setColour(cboJikan_, QPalette::Base, kIvory);
    cboJikan_->setEditText(QStringLiteral("Combo1"));

    chkAs_ = add<PictureCheckBox>("chkAs");
    chkAs_->setIcon(picture(QStringLiteral("autosave")));
    translations::keepTranslated(chkAs_, [this] { chkAs_->setToolTip(tr("履歴の自動保存を制御します")); });
    chkAs_->setCheckState(Qt::Checked);

    // Element 1 lies on top of 2, which lies on top of 3.
    const struct {
        const char *name, *lamp;
    } lamps[3] = {{"imgStart1", "signal-red"}, {"imgStart2", "signal-yellow"}, {"imgStart3", "signal-green"}};
    for (int index = 3; index >= 1; --index)
        imgStart_[index - 1] =
            addImage(lamps[index - 1].name, picture(QLatin1String(lamps[index - 1].lamp)).pixmap(QSize(32, 32)));
}

void MainWindow::buildStatistics()
{
    add<QGroupBox>("Frame2")->setFocusPolicy(Qt::NoFocus);
    const struct {
        QLabel *&label;
        const char *name;
        QColor colour;
        const char *design;
    } statistics[] = {
        {lblOk_, "lblOk", QColor(0, 128, 0), "999"},          {lblNg_, "lblNg", QColor(255, 0, 0), "999"},
        {lblMoji_T_, "lblMoji_T", QColor(128, 0, 0), "9999"}, {lblRitu_, "lblRitu", QColor(0, 0, 0), "100.0%"},
        {lblByou_, "lblByou", QColor(0, 0, 128), "2.63/秒"},
    };
    for (const auto &each : statistics) {
        each.label = addLabel(each.name, 20.25, Qt::AlignCenter, true);
        each.label->setText(QString::fromUtf8(each.design));
        setColour(each.label, QPalette::WindowText, each.colour);
    }
}

void MainWindow::buildWordBoxes()
{
    // The green bar lies on top of the red one and shrinks from its right end.
    addShape("shpJikanB", QColor(255, 0, 0));
    shpJikanK_ = addShape("shpJikanK", QColor(0, 255, 0));

    // Side tags, one character a line: the leading full-width space leaves the first line empty.
    const struct {
        const char *name;
        const char *text; // untranslated
        QColor back;
    } tags[] = {{"Label2_0", QT_TR_NOOP("　相手"), QColor(0, 0, 192)},
                {"Label2_1", QT_TR_NOOP("　自分"), QColor(192, 0, 0)}};
    for (const auto &tag : tags) {
        auto *label = add<TagLabel>(tag.name);
        translations::keepTranslated(label, [label, text = tag.text] { label->setText(tr(text)); });
        label->setFont(layoutFont(12));
        label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        label->setAutoFillBackground(true);
        setColour(label, QPalette::Window, tag.back);
        setColour(label, QPalette::WindowText, Qt::white);
    }

    // The layout's face is taller than its size on most Japanese fonts: centring keeps the
    // big word inside its box.
    lblMondai_ = addLabel("lblMondai", 39.75, Qt::AlignLeft | Qt::AlignVCenter, true);
    lblMondai_->setText(QStringLiteral("かぼちゃ"));

    txtKaitou_ = add<AnswerBox>("txtKaitou");
    txtKaitou_->setFont(layoutFont(39.75));
    setColour(txtKaitou_, QPalette::Base, kIvory);
    txtKaitou_->setMaxLength(std::numeric_limits<int>::max());
    txtKaitou_->setText(QStringLiteral("かぼちゃ"));
}

void MainWindow::buildPanels()
{
    // The word-chain panel lies on top of the learned-words panel. The learned words' caption
    // holds their count once start-up has counted them; whoever counts them keeps it translated.
    fraJisyo_ = add<ClickFrame>("fraJisyo");
    fraJisyo_->setTitle(tr(" 覚えた言葉"));
    translations::keepTranslated(fraJisyo_,
                                 [this] { fraJisyo_->setToolTip(tr("クリックするとしりとりの履歴表示になります")); });
    lstJisyo_ = addList("lstJisyo", true);

    fraRireki_ = add<ClickFrame>("fraRireki");
    translations::keepTranslated(fraRireki_, [this] {
        fraRireki_->setTitle(tr("しりとり履歴"));
        fraRireki_->setToolTip(tr("クリックすると覚えた言葉の表示になります"));
    });
    lstRireki_ = addList("lstRireki", false);
    fraRireki_->hide();
    // Opaque, so the panel on top hides the caption of the one below.
    for (QGroupBox *panel : {fraJisyo_, fraRireki_}) {
        panel->setFocusPolicy(Qt::NoFocus);
        panel->setAutoFillBackground(true);
    }
}

void MainWindow::buildLists()
{
    // Word lists for the answer check; never shown.
    lstInpRireki_ = addList("lstInpRireki", false);
    lstHukusu_ = addList("lstHukusu", false);
    for (WordList *hidden : {lstInpRireki_, lstHukusu_}) {
        hidden->setFocusPolicy(Qt::NoFocus);
        hidden->hide();
    }

    msgRireki_ = add<HistoryGrid>("msgRireki");
    // The headings the game has set, in the language; the records' own cells stay as the file has them.
    translations::keepTranslated(msgRireki_, [this] {
        if (msgRireki_->rows() == 0)
            return;
        const int row = msgRireki_->row(), col = msgRireki_->col();
        msgRireki_->setRow(0);
        for (int c = 0; c < 10; ++c) {
            msgRireki_->setCol(c);
            if (!msgRireki_->text().isEmpty())
                msgRireki_->setText(game::historyHeading(c));
        }
        msgRireki_->setRow(row);
        msgRireki_->setCol(col);
    });
}

void MainWindow::orderFocus()
{
    QWidget *const order[] = {cmdStart_, cmdHozon_,  cmdClear_,  cmdHelp_,  cmdEnd_,   cboJikan_,
                              chkAs_,    msgRireki_, txtKaitou_, lstJisyo_, lstRireki_};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

AidedControls MainWindow::aidedControls() const
{
    return AidedControls{Frame1_,  lblMondai_, lblByou_,   txtKaitou_, cmdStart_,
                         cmdHelp_, msgRireki_, lstRireki_, lstJisyo_,  fraJisyo_};
}

void MainWindow::nameValues()
{
    ui::nameValues(placed_);
}

game::Controls MainWindow::controls()
{
    Adapters &a = *adapters_;
    return game::Controls{a.lblMondai, a.lblOk,        a.lblNg,     a.lblMoji_T, a.lblByou,   a.lblRitu,  a.txtKaitou,
                          *lstRireki_, *lstInpRireki_, *lstHukusu_, *lstJisyo_,  a.fraRireki, a.fraJisyo, a.cmdStart,
                          a.chkAs,     a.cboJikan,     a.shpJikanK, a.imgStart,  *msgRireki_};
}

game::Game &MainWindow::attach(const game::Services &services)
{
    Q_ASSERT(!game_);
    game_ = std::make_unique<game::Game>(controls(), services);
    game::Game *g = game_.get();

    connect(cmdStart_, &QToolButton::clicked, this, [g] { g->cmdStart_Click(); });
    connect(tmrStart_, &QTimer::timeout, this, [g] { g->tmrStart_Timer(); });
    connect(
        txtKaitou_, &AnswerBox::keyPress, this, [g](quint16 &key) { g->txtKaitou_KeyPress(key); }, Qt::DirectConnection);
    connect(tmrBp_, &QTimer::timeout, this, [g] { g->tmrBp_Timer(); });
    connect(cboJikan_, &PickCombo::picked, this, [g] { g->cboJikan_Click(); });
    connect(chkAs_, &QCheckBox::stateChanged, this, [g] { g->chkAs_Click(); });
    connect(cmdHozon_, &QToolButton::clicked, this, [g] { g->cmdHozon_Click(); });
    connect(cmdClear_, &QToolButton::clicked, this, [g] { g->cmdClear_Click(); });
    connect(fraRireki_, &ClickFrame::clicked, this, [g] { g->fraRireki_Click(); });
    connect(fraJisyo_, &ClickFrame::clicked, this, [g] { g->fraJisyo_Click(); });
    connect(cmdHelp_, &QToolButton::clicked, this, [g] { g->cmdHelp_Click(); });
    connect(cmdEnd_, &QToolButton::clicked, this, [g] { g->cmdEnd_Click(); });

    // Both tick from start-up to exit; the game's flags decide what a tick does.
    tmrStart_->start();
    tmrBp_->start();
    return *game_;
}

} // namespace ui
