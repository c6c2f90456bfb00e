#include "practicecalendar.h"

#include "translations/language.h"
#include "ui/base/fonts.h"

#include <QHelpEvent>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QToolTip>
#include <QVBoxLayout>

namespace ui {
namespace {

constexpr int kCell = 10;
constexpr int kPitch = 12; // a cell and the gap after it
constexpr int kDayLabels = 28;
constexpr int kMonthLabels = 14;
constexpr int kLevels = 5;
// The window's own colours: the OK count's green in shades, today framed in the speed label's navy.
const QColor kGreen(0, 128, 0);
const QColor kToday(0, 0, 128);

QLocale shownLocale()
{
    return QLocale(translations::current() == platform::Language::English ? QLocale::English : QLocale::Japanese);
}

// Whole minutes, rounded down: a day shows the goal's figure only once it is met.
qint64 wholeMinutes(qint64 ms)
{
    return ms / 60'000;
}

} // namespace

// The days themselves, painted: weeks left to right, Sunday at the top.
class PracticeCalendar::Grid : public QWidget {
public:
    explicit Grid(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("practiceCalendar"));
        setFont(layoutFont(8));
        setFixedSize(kDayLabels + kWeeks * kPitch, kMonthLabels + 7 * kPitch);
    }

    struct Cell {
        QDate date;
        QRect rect;
        progress::PracticeDay day;
        int level = 0;
    };
    std::vector<Cell> cells;
    QDate today;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QLocale locale = shownLocale();
        p.setPen(palette().color(QPalette::WindowText));
        for (int row : {1, 3, 5}) // Monday, Wednesday, Friday
            p.drawText(QRect(0, kMonthLabels + row * kPitch, kDayLabels - 4, kCell), Qt::AlignRight | Qt::AlignVCenter,
                       locale.dayName(row, QLocale::ShortFormat));
        int lastLabel = -kWeeks;
        for (const Cell &cell : cells) {
            const int column = (cell.rect.x() - kDayLabels) / kPitch;
            // A month is named over the week its first day falls in, if the last name leaves room.
            if (cell.date.day() == 1 && column - lastLabel >= 3) {
                p.drawText(QRect(cell.rect.x(), 0, 4 * kPitch, kMonthLabels - 2), Qt::AlignLeft | Qt::AlignBottom,
                           locale.monthName(cell.date.month(), QLocale::ShortFormat));
                lastLabel = column;
            }
            p.fillRect(cell.rect, colour(cell.level));
            if (cell.date == today) {
                p.setPen(QPen(kToday, 2));
                p.drawRect(cell.rect.adjusted(0, 0, -1, -1));
                p.setPen(palette().color(QPalette::WindowText));
            }
        }
    }

    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip)
            return QWidget::event(event);
        const auto *help = static_cast<QHelpEvent *>(event);
        for (const Cell &cell : cells) {
            if (cell.rect.contains(help->pos())) {
                QToolTip::showText(help->globalPos(), tip(cell.date, cell.day), this, cell.rect);
                return true;
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
};

PracticeCalendar::PracticeCalendar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("practice"));
    today_ = new QLabel(this);
    today_->setObjectName(QStringLiteral("practiceToday"));
    today_->setFont(layoutFont(11));
    grid_ = new Grid(this);
    legend_ = new QLabel(this);
    legend_->setTextFormat(Qt::RichText);
    legend_->setFont(layoutFont(8));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(today_);
    layout->addWidget(grid_);
    layout->addWidget(legend_);
    // As wide as the days: beside the speed chart, the chart keeps the room its legend needs.
    legend_->setWordWrap(true);
    setFixedWidth(grid_->width());
    translations::keepTranslated(this, [this] { retranslate(); });
}

void PracticeCalendar::setDays(const progress::PracticeDays &days, QDate today, int goalMinutes)
{
    goal_ = goalMinutes;
    todayFigures_ = days.day(today);
    run_ = days.run(today, goalMinutes);
    grid_->today = today;
    grid_->cells.clear();
    // Dates, not spans of hours: each day of the weeks shown has its one cell.
    const QDate first = today.addDays(-(today.dayOfWeek() % 7) - (kWeeks - 1) * 7);
    for (QDate date = first; date <= today; date = date.addDays(1)) {
        const qint64 offset = first.daysTo(date);
        const QRect rect(kDayLabels + int(offset / 7) * kPitch, kMonthLabels + int(offset % 7) * kPitch, kCell, kCell);
        const progress::PracticeDay day = days.day(date);
        grid_->cells.push_back({date, rect, day, level(day.playedMs, goalMinutes)});
    }
    grid_->update();
    retranslate();
}

int PracticeCalendar::level(qint64 playedMs, int goalMinutes)
{
    const qint64 goalMs = goalMinutes * 60'000LL;
    if (playedMs <= 0)
        return 0;
    if (playedMs < goalMs)
        return playedMs * 2 < goalMs ? 1 : 2;
    return playedMs < 2 * goalMs ? 3 : 4;
}

QColor PracticeCalendar::colour(int level)
{
    if (level <= 0)
        return QColor(224, 224, 224); // the kana map's grey for what is not known
    // The green laid over white, stronger with each level.
    const double strength = std::min(level, kLevels - 1) / double(kLevels - 1);
    const auto mix = [strength](int c) { return int(255 + (c - 255) * (0.15 + 0.85 * strength)); };
    return QColor(mix(kGreen.red()), mix(kGreen.green()), mix(kGreen.blue()));
}

QString PracticeCalendar::tip(QDate date, const progress::PracticeDay &day)
{
    const QString when = tr("%1（%2）")
                             .arg(date.toString(QStringLiteral("yyyy/MM/dd")),
                                  shownLocale().dayName(date.dayOfWeek(), QLocale::ShortFormat));
    if (day.games == 0)
        return when + tr("\n遊んでいません");
    const qint64 seconds = day.playedMs / 1000;
    QString text = when
        + tr("\nゲーム %1 回・%2 分 %3 秒").arg(day.games).arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (const std::optional<double> speed = day.charsPerSecond())
        text += tr("\n%1 文字/秒").arg(*speed, 0, 'f', 2);
    if (const std::optional<double> accuracy = day.accuracy())
        text += tr("\n正解率 %1%").arg(*accuracy, 0, 'f', 1);
    return text;
}

void PracticeCalendar::retranslate()
{
    grid_->setAccessibleName(tr("練習カレンダー（1 日は朝 4 時から）"));
    grid_->setToolTip(QString()); // each day has its own
    // Today's minutes in the goal's green once it is met.
    QString minutes = QStringLiteral("<b>%1</b>").arg(wholeMinutes(todayFigures_.playedMs));
    if (level(todayFigures_.playedMs, goal_) >= 3)
        minutes = QStringLiteral("<span style='color:%1'>%2</span>").arg(kGreen.name(), minutes);
    today_->setText(tr("今日 %1 分 ／ 目標 %2 分<br>目標達成 <b>%3</b> 日連続").arg(minutes).arg(goal_).arg(run_));
    today_->setToolTip(tr("1 日は朝 4 時から次の朝 4 時までです。今日が目標に届いていなくても、"
                          "昨日までの続きは消えません。目標は「設定」で変えられます。"));
    QString swatches;
    for (int l = 0; l < kLevels; ++l)
        swatches += QStringLiteral("<span style='background-color:%1'>&nbsp;&nbsp;&nbsp;</span> ").arg(colour(l).name());
    legend_->setText(tr("なし %1 目標の 2 倍　濃い 2 色は目標に届いた日").arg(swatches));
    update();
}

} // namespace ui
