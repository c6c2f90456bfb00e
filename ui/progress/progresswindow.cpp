#include "progresswindow.h"

#include "files/history.h"
#include "kanamap.h"
#include "platform/preferences/preferences.h"
#include "platform/services.h"
#include "practicecalendar.h"
#include "progress/kanastats.h"
#include "progress/typingspeed.h"
#include "translations/language.h"
#include "ui/base/fonts.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTimeAxis>
#include <QGridLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QScreen>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

namespace ui {
namespace {

constexpr int kTrendGames = 10;
// Runs of games drawn as their lowest and highest: about a point a pixel across the chart.
constexpr int kChartRuns = 450;
// The window's own colours: the speed label's navy, the OK count's green, the character count's maroon.
const QColor kSpeedColour(0, 0, 128);
const QColor kAccuracyColour(0, 128, 0);
const QColor kKeysColour(128, 0, 0);

QChartView *makeChartView(QWidget *parent, const QString &name)
{
    auto *chart = new QChart;
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->legend()->setFont(layoutFont(9));
    chart->setTitleFont(layoutFont(10));
    auto *view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void clearChart(QChart *chart)
{
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(QString());
}

// From the earliest to the latest point: a clock set wrong can save games out of order.
QDateTimeAxis *timeAxis(QChart *chart, const QList<QPointF> &points)
{
    const auto [low, high] = std::minmax_element(points.cbegin(), points.cend(),
                                                 [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
    const qint64 first = qint64(low->x()), last = qint64(high->x());
    auto *axis = new QDateTimeAxis;
    // A little room either side, so that one game still has a place.
    const qint64 pad = std::max<qint64>(60'000, (last - first) / 40);
    axis->setRange(QDateTime::fromMSecsSinceEpoch(first - pad), QDateTime::fromMSecsSinceEpoch(last + pad));
    const qint64 span = last - first + 2 * pad;
    axis->setFormat(span > 2LL * 86400'000 ? QStringLiteral("yy/MM/dd")
                        : span > 3600'000  ? QStringLiteral("MM/dd hh:mm")
                                           : QStringLiteral("hh:mm:ss"));
    axis->setTickCount(6);
    axis->setLabelsFont(layoutFont(8));
    chart->addAxis(axis, Qt::AlignBottom);
    return axis;
}

QValueAxis *valueAxis(QChart *chart, const QString &title, double top, const QString &format, Qt::Alignment side,
                      const QColor &colour)
{
    auto *axis = new QValueAxis;
    axis->setRange(0, top);
    axis->setLabelFormat(format);
    axis->setTitleText(title);
    axis->setTitleFont(layoutFont(9));
    axis->setTitleBrush(colour);
    axis->setLabelsFont(layoutFont(8));
    axis->setTickCount(6);
    chart->addAxis(axis, side);
    return axis;
}

QLineSeries *line(QChart *chart, const QList<QPointF> &points, const QString &name, QColor colour, qreal width,
                  QAbstractAxis *x, QAbstractAxis *y)
{
    auto *series = new QLineSeries;
    series->setName(name);
    series->replace(points);
    series->setPen(QPen(colour, width));
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    return series;
}

// Each game faint, with the trend of the last games strong over it; a point under the
// mouse tells its value.
void addTrend(QChart *chart, const QList<QPointF> &points, const QString &name, const QString &unit,
              const QColor &colour, QAbstractAxis *x, QAbstractAxis *y)
{
    QList<double> values;
    values.reserve(points.size());
    for (const QPointF &p : points)
        values.append(p.y());
    const QList<double> trend = progress::movingAverage(values, kTrendGames);
    QList<QPointF> trendPoints;
    trendPoints.reserve(points.size());
    for (qsizetype i = 0; i < points.size(); ++i)
        trendPoints.append({points[i].x(), trend[i]});

    QColor faint = colour;
    faint.setAlpha(90);
    QLineSeries *each = line(chart, progress::thinned(points, kChartRuns), name, faint, 1, x, y);
    // The legend names the strong line only: beside the calendar it has room for no more.
    for (QLegendMarker *marker : chart->legend()->markers(each))
        marker->setVisible(false);
    each->setPointsVisible(points.size() <= 60);
    QObject::connect(each, &QLineSeries::hovered, each, [unit](const QPointF &point, bool on) {
        if (on)
            QToolTip::showText(
                QCursor::pos(),
                QDateTime::fromMSecsSinceEpoch(qint64(point.x())).toString(QStringLiteral("yyyy/MM/dd hh:mm  "))
                    + QString::number(point.y(), 'f', 2) + unit);
    });
    line(chart, progress::thinned(trendPoints, kChartRuns),
         QCoreApplication::translate("ProgressWindow", "%1（%2 回平均）").arg(name).arg(kTrendGames), colour, 2.5, x, y);
}

double niceTop(double highest)
{
    return std::max(1.0, std::ceil(highest * 1.15));
}

QString weakestText(const QList<QChar> &weakest)
{
    if (weakest.isEmpty())
        return QCoreApplication::translate("ProgressWindow",
                                           "苦手：まだ分かりません。ひとつの文字で %1 回答えると、その文字の色がつきます。")
            .arg(progress::KanaStats::kMinStalls);
    QStringList kana;
    for (QChar c : weakest)
        kana.append(c);
    return QCoreApplication::translate("ProgressWindow", "苦手：") + kana.join(u'・');
}

} // namespace

ProgressWindow::ProgressWindow(const files::History &history, progress::AnswerLog &answers, QWidget *parent)
    : QWidget(parent, Qt::Window), history_(history), answers_(answers),
      dailyGoal_(platform::Preferences().dailyGoalMinutes)
{
    setObjectName(QStringLiteral("progressWindow"));
    translations::keepTranslated(this, [this] {
        setWindowTitle(QCoreApplication::translate("ProgressWindow", "成績 - カナリンカ"));
    });

    playTime_ = new QComboBox(this);
    playTime_->setObjectName(QStringLiteral("playTimeFilter"));
    translations::keepTranslated(playTime_, [this] {
        playTime_->setAccessibleName(QCoreApplication::translate("ProgressWindow", "表示秒数で絞り込む"));
        playTime_->setToolTip(
            QCoreApplication::translate("ProgressWindow",
                                        "10 秒と 180 秒のゲームの速さは比べられないため、表示秒数で絞り込めます。"));
    });
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("progressSummary"));
    speedView_ = makeChartView(this, QStringLiteral("speedChart"));
    keysView_ = makeChartView(this, QStringLiteral("keysChart"));
    map_ = new KanaMap(this);
    calendar_ = new PracticeCalendar(this);
    weakest_ = new QLabel(this);
    weakest_->setObjectName(QStringLiteral("weakestKana"));
    weakest_->setFont(layoutFont(12));
    weakest_->setWordWrap(true);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("progressNote"));
    note_->setWordWrap(true);
    note_->setForegroundRole(QPalette::PlaceholderText);

    auto *legend = new QLabel(this);
    // Blanks that rich text keeps, on the map's colours.
    const auto swatch = [](std::optional<double> weakness) {
        return QStringLiteral("<span style='background-color:%1'>&nbsp;&nbsp;&nbsp;&nbsp;</span>")
            .arg(KanaMap::colour(weakness).name());
    };
    QString scale;
    for (double w : {0.0, 0.25, 0.5, 0.75, 1.0})
        scale += swatch(w);
    legend->setTextFormat(Qt::RichText);
    translations::keepTranslated(legend, [legend, scale, none = swatch(std::nullopt)] {
        legend->setText(
            QCoreApplication::translate("ProgressWindow", "考える時間　短い %1 長い　%2 まだ分からない").arg(scale, none));
    });

    auto *top = new QHBoxLayout;
    auto *playTimeLabel = new QLabel(this);
    translations::keepTranslated(playTimeLabel, [playTimeLabel] {
        playTimeLabel->setText(QCoreApplication::translate("ProgressWindow", "表示秒数"));
    });
    top->addWidget(playTimeLabel);
    top->addWidget(playTime_);
    top->addSpacing(12);
    top->addWidget(summary_, 1);

    auto *mapBox = new QVBoxLayout;
    auto *mapTitle = new QLabel(this);
    translations::keepTranslated(mapTitle, [mapTitle] {
        mapTitle->setText(
            QCoreApplication::translate("ProgressWindow", "文字の地図（その文字で始まる言葉を思いつくまでの時間）"));
    });
    mapBox->addWidget(mapTitle);
    mapBox->addWidget(map_, 0, Qt::AlignLeft);
    mapBox->addWidget(legend);
    mapBox->addWidget(weakest_);
    mapBox->addStretch(1);

    // Beside the speed chart, so the window grows no taller for it: on a screen 768 pixels
    // high the window already fills the height.
    auto *calendarBox = new QVBoxLayout;
    auto *calendarTitle = new QLabel(this);
    translations::keepTranslated(calendarTitle, [calendarTitle] {
        calendarTitle->setText(
            QCoreApplication::translate("ProgressWindow", "練習カレンダー（26 週間、1 日は朝 4 時から）"));
    });
    calendarBox->addWidget(calendarTitle);
    calendarBox->addWidget(calendar_, 0, Qt::AlignLeft);
    calendarBox->addStretch(1);

    auto *speedRow = new QHBoxLayout;
    speedRow->addWidget(speedView_, 1);
    speedRow->addLayout(calendarBox);

    auto *grid = new QGridLayout(this);
    grid->addLayout(top, 0, 0, 1, 2);
    grid->addLayout(speedRow, 1, 0, 1, 2);
    grid->addWidget(keysView_, 2, 0);
    grid->addLayout(mapBox, 2, 1);
    grid->addWidget(note_, 3, 0, 1, 2);
    grid->setRowStretch(1, 3);
    grid->setRowStretch(2, 2);
    grid->setColumnStretch(0, 1);
    resize(940, 640);

    connect(playTime_, &QComboBox::currentIndexChanged, this, &ProgressWindow::showSavedGames);
    // The figures' texts are made as they are drawn.
    translations::keepTranslated(this, [this] {
        if (isVisible())
            refresh();
    });
}

void ProgressWindow::addBelow(QWidget *part)
{
    auto *grid = static_cast<QGridLayout *>(layout());
    grid->addWidget(part, grid->rowCount(), 0, 1, 2);
    // Taller by the part, as far as the screen has room.
    const QRect room = screen() ? screen()->availableGeometry() : QRect();
    const int wanted = height() + part->sizeHint().height();
    resize(width(), room.isValid() ? std::min(wanted, room.height() - 40) : wanted);
}

void ProgressWindow::setDailyGoal(int minutes)
{
    dailyGoal_ = minutes;
    if (isVisible())
        showAnswers();
}

void ProgressWindow::refresh()
{
    saved_ = progress::readSavedGames(history_);
    QList<int> seconds;
    for (const progress::SavedGame &g : std::as_const(saved_.games))
        if (!seconds.contains(g.playSeconds))
            seconds.append(g.playSeconds);
    std::sort(seconds.begin(), seconds.end());
    const QVariant chosen = playTime_->currentData();
    {
        const QSignalBlocker quiet(playTime_);
        playTime_->clear();
        playTime_->addItem(QCoreApplication::translate("ProgressWindow", "すべて"), 0);
        for (int s : std::as_const(seconds))
            playTime_->addItem(QCoreApplication::translate("ProgressWindow", "%1秒").arg(s), s);
        playTime_->setCurrentIndex(std::max(0, playTime_->findData(chosen)));
    }
    showSavedGames();
    showAnswers();
}

void ProgressWindow::showSavedGames()
{
    QChart *chart = speedView_->chart();
    clearChart(chart);
    const int seconds = playTime_->currentData().toInt();
    QList<QPointF> speed, accuracy;
    const progress::SavedGame *best = nullptr;
    for (const progress::SavedGame &g : std::as_const(saved_.games)) {
        if (seconds != 0 && g.playSeconds != seconds)
            continue;
        const double x = double(g.savedAtMs);
        speed.append({x, g.charsPerSecond()});
        accuracy.append({x, g.accuracy()});
        if (!best || g.charsPerSecond() > best->charsPerSecond())
            best = &g;
    }
    if (speed.isEmpty()) {
        chart->setTitle(QCoreApplication::translate("ProgressWindow", "保存したゲームはまだありません"));
        summary_->setText(QString());
        return;
    }
    QAbstractAxis *x = timeAxis(chart, speed);
    const double fastest = best->charsPerSecond();
    QValueAxis *perSecond = valueAxis(chart, QCoreApplication::translate("ProgressWindow", "文字/秒"), niceTop(fastest),
                                      QStringLiteral("%.1f"), Qt::AlignLeft, kSpeedColour);
    QValueAxis *percent = valueAxis(chart, QCoreApplication::translate("ProgressWindow", "正解率"), 100,
                                    QStringLiteral("%d%%"), Qt::AlignRight, kAccuracyColour);
    addTrend(chart, accuracy, QCoreApplication::translate("ProgressWindow", "正解率"), QStringLiteral("%"),
             kAccuracyColour, x, percent);
    addTrend(chart, speed, QCoreApplication::translate("ProgressWindow", "文字/秒"),
             QCoreApplication::translate("ProgressWindow", "/秒"), kSpeedColour, x, perSecond);

    auto *marker = new QScatterSeries;
    marker->setName(QCoreApplication::translate("ProgressWindow", "自己ベスト %1/秒（%2）")
                        .arg(fastest, 0, 'f', 2)
                        .arg(QDateTime::fromMSecsSinceEpoch(best->savedAtMs).toString(QStringLiteral("yyyy/MM/dd"))));
    marker->setMarkerShape(QScatterSeries::MarkerShapeStar);
    marker->setMarkerSize(16);
    marker->setColor(QColor(230, 160, 0));
    marker->setBorderColor(kSpeedColour);
    marker->append(double(best->savedAtMs), fastest);
    chart->addSeries(marker);
    marker->attachAxis(x);
    marker->attachAxis(perSecond);

    summary_->setText(QCoreApplication::translate("ProgressWindow", "保存したゲーム %1 回　最新 %2/秒・正解率 %3%")
                          .arg(speed.size())
                          .arg(speed.back().y(), 0, 'f', 2)
                          .arg(accuracy.back().y(), 0, 'f', 1));
}

void ProgressWindow::showAnswers()
{
    const progress::KanaStats &stats = answers_.stats();
    const QString &error = answers_.readError();
    const int badLines = answers_.badLines();
    map_->setStats(stats);
    const QDateTime now = clock_ ? clock_->now() : QDateTime::currentDateTime();
    calendar_->setDays(answers_.days(), progress::practiceDay(now), dailyGoal_);
    // A hand-edited record may name characters that are no cell of the map.
    QList<QChar> weakest;
    for (const QChar kana : stats.weakest(std::numeric_limits<int>::max()))
        if (KanaMap::shows(kana) && weakest.size() < 3)
            weakest.append(kana);
    weakest_->setText(weakestText(weakest));

    QStringList notes;
    if (!error.isEmpty())
        notes.append(error);
    if (badLines > 0)
        notes.append(QCoreApplication::translate("ProgressWindow", "「%1」の読めない %2 行は飛ばしました。")
                         .arg(answers_.file().name())
                         .arg(badLines));
    if (saved_.unreadable > 0)
        notes.append(QCoreApplication::translate("ProgressWindow",
                                                 "日付か表示秒数の読めない保存ゲーム %1 回はグラフに入れていません。")
                         .arg(saved_.unreadable));
    note_->setText(notes.join(u'\n'));
    note_->setVisible(!notes.isEmpty());

    QChart *chart = keysView_->chart();
    clearChart(chart);
    QList<QPointF> points;
    progress::EpochMs epochMs;
    for (const progress::GameKeystrokes &game : answers_.keystrokes().games()) {
        if (const std::optional<progress::WallTime> start = progress::readWallTime(game.game))
            points.append({double(epochMs(*start)), game.perMinute()});
    }
    if (points.isEmpty()) {
        chart->setTitle(QCoreApplication::translate("ProgressWindow", "打鍵/分：ローマ字入力で遊ぶと出ます"));
        return;
    }
    const double highest = std::max_element(points.cbegin(), points.cend(), [](const QPointF &a, const QPointF &b) {
                               return a.y() < b.y();
                           })->y();
    QAbstractAxis *x = timeAxis(chart, points);
    QValueAxis *y = valueAxis(chart, QCoreApplication::translate("ProgressWindow", "打鍵/分"),
                              std::ceil(highest * 1.15 / 50) * 50, QStringLiteral("%d"), Qt::AlignLeft, kKeysColour);
    addTrend(chart, points, QCoreApplication::translate("ProgressWindow", "打鍵/分"),
             QCoreApplication::translate("ProgressWindow", "/分"), kKeysColour, x, y);
}

} // namespace ui
