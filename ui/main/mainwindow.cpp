#include "mainwindow.h"

#include "answerbox.h"
#include "platform/text/numberformat.h"
#include "translations/language.h"
#include "ui/base/fonts.h"
#include "ui/base/pictures.h"
#include "ui/main/views/historygrid.h"
#include "ui/main/views/wordlist.h"
#include "widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <limits>

namespace ui {
namespace {

// The layout is in twips, 15 to a pixel at 96 dpi; Qt's device-independent pixels
// scale the whole window on denser screens.
int px(int twips)
{
    return int(std::lround(twips / 15.0));
}

// Every placed control: name, container, and left, top, width, height in twips inside it.
// The etched rules are a pixel high.
constexpr LayoutPlace kPlaces[] = {
    {"cmdStart", "frmMain", 5175, 150, 840, 915},     {"cmdHozon", "frmMain", 6000, 150, 840, 915},
    {"cmdClear", "frmMain", 6825, 150, 840, 915},     {"cmdHelp", "frmMain", 7650, 150, 840, 915},
    {"cmdEnd", "frmMain", 8475, 150, 840, 915},       {"Image1", "frmMain", 225, 150, 4620, 930},
    {"Line1_1", "frmMain", 150, 1260, 9150, 15},      {"Line1_0", "frmMain", 150, 1275, 9150, 15},
    {"Frame1", "frmMain", 130, 1300, 9240, 5370},     {"Label1_1", "Frame1", 900, 195, 1155, 330},
    {"cboJikan", "Frame1", 900, 450, 1065, 405},      {"chkAs", "Frame1", 2100, 450, 420, 420},
    {"imgStart1", "Frame1", 180, 270, 480, 480},      {"imgStart2", "Frame1", 180, 270, 480, 480},
    {"imgStart3", "Frame1", 180, 270, 480, 480},      {"Frame2", "Frame1", 2670, 135, 6330, 735},
    {"shpJikanB", "Frame1", 225, 945, 8745, 75},      {"shpJikanK", "Frame1", 225, 945, 8745, 75},
    {"Label2_0", "Frame1", 225, 1080, 390, 975},      {"Label2_1", "Frame1", 225, 2100, 390, 1005},
    {"lblMondai", "Frame1", 600, 1080, 5805, 975},    {"txtKaitou", "Frame1", 600, 2100, 5790, 1005},
    {"fraJisyo", "Frame1", 6525, 1125, 2490, 1965},   {"fraRireki", "Frame1", 6525, 1125, 2490, 1965},
    {"lstInpRireki", "Frame1", 0, 2100, 165, 780},    {"lstHukusu", "Frame1", 0, 1050, 165, 600},
    {"msgRireki", "Frame1", 225, 3225, 8790, 1965},   {"lstJisyo", "fraJisyo", 150, 300, 2190, 1500},
    {"lstRireki", "fraRireki", 150, 300, 2190, 1500}, {"lblOk", "Frame2", 150, 180, 810, 465},
    {"lblNg", "Frame2", 1050, 180, 810, 465},         {"lblMoji_T", "Frame2", 1950, 180, 930, 465},
    {"lblRitu", "Frame2", 3000, 180, 1455, 465},      {"lblByou", "Frame2", 4500, 180, 1680, 465},
};

} // namespace

QRect LayoutPlace::pixels() const
{
    return QRect(px(left), px(top), px(width), px(height));
}

std::span<const LayoutPlace> layoutPlaces()
{
    return kPlaces;
}

namespace {

// A control's place in pixels, by its name.
QRect at(const QString &name)
{
    for (const LayoutPlace &place : kPlaces)
        if (name == QLatin1String(place.name))
            return place.pixels();
    Q_ASSERT_X(false, "at", qPrintable(name));
    return {};
}

const QColor kIvory(255, 255, 240);

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

template <typename W>
W *place(W *widget, const QString &name, const QRect &geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QRect &geometry, const QString &text, double points,
                  Qt::Alignment alignment, bool border)
{
    auto *label = place(new QLabel(text, parent), name, geometry);
    label->setTextFormat(Qt::PlainText);
    label->setFont(layoutFont(points));
    label->setAlignment(alignment);
    if (border)
        label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    return label;
}

QGroupBox *makeFrame(QGroupBox *frame, const QString &name, const QRect &geometry)
{
    place(frame, name, geometry);
    frame->setFocusPolicy(Qt::NoFocus);
    return frame;
}

QWidget *makeShape(QWidget *parent, const QString &name, const QRect &geometry, const QColor &fill)
{
    auto *shape = place(new QWidget(parent), name, geometry);
    shape->setAutoFillBackground(true);
    setColour(shape, QPalette::Window, fill);
    return shape;
}

QLabel *makeImage(QWidget *parent, const QString &name, const QRect &geometry, const QPixmap &pixmap)
{
    auto *image = place(new QLabel(parent), name, geometry);
    image->setPixmap(pixmap);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return image;
}

WordList *makeList(QWidget *parent, const QString &name, const QRect &geometry, bool sorted)
{
    auto *list = place(new WordList(sorted, parent), name, geometry);
    setColour(list, QPalette::Base, kIvory);
    return list;
}

} // namespace

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
    setFixedSize(px(9465), px(6780));

    buildTitleRow();
    buildPlayingArea();
    orderFocus();

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
    for (const auto &each : buttons) {
        QToolButton *button = each.button = makePictureButton(this, QLatin1String(each.name), QString(),
                                                              picture(QLatin1String(each.picture)), QString());
        translations::keepTranslated(button, [button, caption = each.caption, tip = each.tip] {
            button->setText(tr(caption));
            button->setToolTip(tr(tip));
        });
    }
    // One row, 825 twips apart: each overlaps its left neighbour by a pixel.
    for (QToolButton *button : {cmdStart_, cmdHozon_, cmdClear_, cmdHelp_, cmdEnd_})
        button->setGeometry(at(button->objectName()));

    const qreal ratio = screen() ? screen()->devicePixelRatio() : 1.0;
    QLabel *banner = makeImage(this, QStringLiteral("Image1"), at(QStringLiteral("Image1")), QPixmap());
    translations::keepTranslated(banner, [banner, ratio] { banner->setPixmap(titleBanner(ratio)); });

    // The etched rule under the title row: a black line with a white one below it.
    makeShape(this, QStringLiteral("Line1_1"), at(QStringLiteral("Line1_1")), Qt::black);
    makeShape(this, QStringLiteral("Line1_0"), at(QStringLiteral("Line1_0")), Qt::white);
}

void MainWindow::buildPlayingArea()
{
    QGroupBox *area = Frame1_ = makeFrame(new QGroupBox(this), QStringLiteral("Frame1"), at(QStringLiteral("Frame1")));

    QLabel *playTime = makeLabel(area, QStringLiteral("Label1_1"), at(QStringLiteral("Label1_1")), QString(), 11.25,
                                 Qt::AlignLeft | Qt::AlignTop, false);
    translations::keepTranslated(playTime, [playTime] { playTime->setText(tr("プレイ秒数")); });

    cboJikan_ = place(new PickCombo(area), QStringLiteral("cboJikan"), at(QStringLiteral("cboJikan")));
    cboJikan_->setFont(layoutFont(14.25));
    setColour(cboJikan_, QPalette::Base, kIvory);
    cboJikan_->setEditText(QStringLiteral("Combo1"));

    chkAs_ = place(new PictureCheckBox(area), QStringLiteral("chkAs"), at(QStringLiteral("chkAs")));
    chkAs_->setIcon(picture(QStringLiteral("autosave")));
    translations::keepTranslated(chkAs_, [this] { chkAs_->setToolTip(tr("履歴の自動保存を制御します")); });
    chkAs_->setCheckState(Qt::Checked);

    // Element 1 lies on top of 2, which lies on top of 3.
    for (int index = 3; index >= 1; --index) {
        static const char *const lamps[3] = {"signal-red", "signal-yellow", "signal-green"};
        imgStart_[index - 1] =
            makeImage(area, QStringLiteral("imgStart%1").arg(index), at(QStringLiteral("imgStart%1").arg(index)),
                      picture(QLatin1String(lamps[index - 1])).pixmap(QSize(32, 32)));
    }

    QGroupBox *stats = makeFrame(new QGroupBox(area), QStringLiteral("Frame2"), at(QStringLiteral("Frame2")));
    struct Stat {
        QLabel *&label;
        const char *name;
        QColor colour;
        const char *design;
    };
    const Stat statLabels[] = {
        {lblOk_, "lblOk", QColor(0, 128, 0), "999"},          {lblNg_, "lblNg", QColor(255, 0, 0), "999"},
        {lblMoji_T_, "lblMoji_T", QColor(128, 0, 0), "9999"}, {lblRitu_, "lblRitu", QColor(0, 0, 0), "100.0%"},
        {lblByou_, "lblByou", QColor(0, 0, 128), "2.63/秒"},
    };
    for (const Stat &stat : statLabels) {
        stat.label = makeLabel(stats, QLatin1String(stat.name), at(QLatin1String(stat.name)),
                               QString::fromUtf8(stat.design), 20.25, Qt::AlignCenter, true);
        setColour(stat.label, QPalette::WindowText, stat.colour);
    }
    // A game's speed keeps its figure and takes the unit of the language.
    translations::keepTranslated(lblByou_, [this] {
        const QRegularExpressionMatch figure =
            QRegularExpression(QStringLiteral("^-?\\d+\\.\\d+")).match(lblByou_->text());
        if (figure.hasMatch())
            lblByou_->setText(platform::perSecondShown(figure.captured()));
    });

    // The green bar lies on top of the red one and shrinks from its right end.
    makeShape(area, QStringLiteral("shpJikanB"), at(QStringLiteral("shpJikanB")), QColor(255, 0, 0));
    shpJikanK_ = makeShape(area, QStringLiteral("shpJikanK"), at(QStringLiteral("shpJikanK")), QColor(0, 255, 0));

    // Side tags, one character a line: the leading full-width space leaves the first line empty.
    const struct {
        const char *name;
        const char *text; // untranslated
        QColor back;
    } tags[] = {{"Label2_0", QT_TR_NOOP("　相手"), QColor(0, 0, 192)},
                {"Label2_1", QT_TR_NOOP("　自分"), QColor(192, 0, 0)}};
    for (const auto &tag : tags) {
        auto *label = place(new TagLabel(area), QLatin1String(tag.name), at(QLatin1String(tag.name)));
        translations::keepTranslated(label, [label, text = tag.text] { label->setText(tr(text)); });
        label->setFont(layoutFont(12));
        label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        label->setAutoFillBackground(true);
        setColour(label, QPalette::Window, tag.back);
        setColour(label, QPalette::WindowText, Qt::white);
    }

    // The layout's face is taller than its size on most Japanese fonts: centring keeps the
    // big word inside its box.
    lblMondai_ = makeLabel(area, QStringLiteral("lblMondai"), at(QStringLiteral("lblMondai")),
                           QStringLiteral("かぼちゃ"), 39.75, Qt::AlignLeft | Qt::AlignVCenter, true);

    txtKaitou_ = place(new AnswerBox(area), QStringLiteral("txtKaitou"), at(QStringLiteral("txtKaitou")));
    txtKaitou_->setFont(layoutFont(39.75));
    setColour(txtKaitou_, QPalette::Base, kIvory);
    txtKaitou_->setMaxLength(std::numeric_limits<int>::max());
    txtKaitou_->setText(QStringLiteral("かぼちゃ"));

    buildPanels(area);

    // Word lists for the answer check; never shown.
    lstInpRireki_ = makeList(area, QStringLiteral("lstInpRireki"), at(QStringLiteral("lstInpRireki")), false);
    lstHukusu_ = makeList(area, QStringLiteral("lstHukusu"), at(QStringLiteral("lstHukusu")), false);
    for (WordList *hidden : {lstInpRireki_, lstHukusu_}) {
        hidden->setFocusPolicy(Qt::NoFocus);
        hidden->hide();
    }

    msgRireki_ = place(new HistoryGrid(area), QStringLiteral("msgRireki"), at(QStringLiteral("msgRireki")));
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

void MainWindow::buildPanels(QWidget *area)
{
    // The word-chain panel lies on top of the learned-words panel.
    fraJisyo_ = static_cast<ClickFrame *>(
        makeFrame(new ClickFrame(area), QStringLiteral("fraJisyo"), at(QStringLiteral("fraJisyo"))));
    translations::keepTranslated(fraJisyo_, [this] {
        // Once the words are counted, the caption holds their number.
        const QRegularExpressionMatch count = QRegularExpression(QStringLiteral("\\d+")).match(fraJisyo_->title());
        fraJisyo_->setTitle(count.hasMatch() ? game::learnedWordsCaption(count.captured().toInt()) : tr(" 覚えた言葉"));
        fraJisyo_->setToolTip(tr("クリックするとしりとりの履歴表示になります"));
    });
    lstJisyo_ = makeList(fraJisyo_, QStringLiteral("lstJisyo"), at(QStringLiteral("lstJisyo")), true);

    fraRireki_ = static_cast<ClickFrame *>(
        makeFrame(new ClickFrame(area), QStringLiteral("fraRireki"), at(QStringLiteral("fraRireki"))));
    translations::keepTranslated(fraRireki_, [this] {
        fraRireki_->setTitle(tr("しりとり履歴"));
        fraRireki_->setToolTip(tr("クリックすると覚えた言葉の表示になります"));
    });
    lstRireki_ = makeList(fraRireki_, QStringLiteral("lstRireki"), at(QStringLiteral("lstRireki")), false);
    fraRireki_->hide();
    // Opaque, so the panel on top hides the caption of the one below.
    for (QGroupBox *panel : {fraJisyo_, fraRireki_})
        panel->setAutoFillBackground(true);
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
    return AidedControls{Frame1_,    lblMondai_, txtKaitou_, cmdStart_, cmdHelp_,
                         msgRireki_, lstRireki_, lstJisyo_,  fraJisyo_};
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
