#include "kanamap.h"

#include "translations/language.h"
#include "ui/base/fonts.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

namespace ui {
namespace {

// Columns of the table, read right to left as it is printed; a full-width space is a gap.
constexpr std::array<const char16_t *, 15> kColumns{
    u"あいうえお", u"かきくけこ", u"さしすせそ", u"たちつてと", u"なにぬねの",
    u"はひふへほ", u"まみむめも", u"や　ゆ　よ", u"らりるれろ", u"わ　　　を",
    u"がぎぐげご", u"ざじずぜぞ", u"だぢづでど", u"ばびぶべぼ", u"ぱぴぷぺぽ",
};
constexpr int kPlainColumns = 10; // the voiced rows stand apart, to the left
constexpr int kCell = 30;
constexpr int kGap = 10;

} // namespace

KanaMap::KanaMap(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("kanaMap"));
    setFont(layoutFont(12));
    translations::keepTranslated(this, [this] { setAccessibleName(tr("文字の地図")); });
    layoutCells();
}

QSize KanaMap::sizeHint() const
{
    return QSize(int(kColumns.size()) * kCell + kGap + 1, 5 * kCell + 1);
}

void KanaMap::layoutCells()
{
    const int right = sizeHint().width() - 1;
    for (size_t column = 0; column < kColumns.size(); ++column) {
        const QStringView kana(kColumns[column]);
        const int x = right - int(column + 1) * kCell - (column >= kPlainColumns ? kGap : 0);
        for (int row = 0; row < kana.size(); ++row)
            if (kana[row] != u'　')
                cells_.push_back({kana[row], QRect(x, row * kCell, kCell, kCell), {}, {}});
    }
}

bool KanaMap::shows(QChar kana)
{
    return kana != u'　' && std::any_of(kColumns.begin(), kColumns.end(), [kana](const char16_t *column) {
               return QStringView(column).contains(kana);
           });
}

void KanaMap::setStats(const progress::KanaStats &stats)
{
    for (Cell &cell : cells_) {
        cell.record = stats.record(cell.kana);
        cell.weakness = stats.weakness(cell.kana);
    }
    update();
}

QColor KanaMap::colour(std::optional<double> weakness)
{
    // Green through yellow to red, pale enough for black kana on it.
    return weakness ? QColor::fromHsvF(float((1.0 - *weakness) / 3.0), 0.45f, 1.0f) : QColor(224, 224, 224);
}

void KanaMap::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    for (const Cell &cell : cells_) {
        p.fillRect(cell.rect, colour(cell.weakness));
        p.setPen(QColor(160, 160, 160));
        p.drawRect(cell.rect);
        p.setPen(cell.weakness ? Qt::black : (cell.record.answers > 0 ? QColor(96, 96, 96) : QColor(160, 160, 160)));
        p.drawText(cell.rect, Qt::AlignCenter, cell.kana);
    }
}

QString KanaMap::tip(const Cell &cell) const
{
    const progress::KanaRecord &r = cell.record;
    QString text = tr("「%1」で始める答え %2 回、間違い %3 回").arg(cell.kana).arg(r.answers).arg(r.failures);
    if (const std::optional<qint64> median = r.medianStallMs())
        return text + tr("\n最初のキーまでの時間（中央値）%1 秒").arg(*median / 1000.0, 0, 'f', 1);
    return text + tr("\nまだ少ないため分かりません（%1 回から）").arg(progress::KanaStats::kMinStalls);
}

bool KanaMap::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    for (const Cell &cell : cells_) {
        if (cell.rect.contains(help->pos())) {
            QToolTip::showText(help->globalPos(), tip(cell), this, cell.rect);
            return true;
        }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

} // namespace ui
