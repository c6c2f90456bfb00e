#include "wordcue.h"

#include "game/rules.h"
#include "translations/language.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPainter>

namespace ui {
namespace {

const QColor kCue(192, 0, 0); // the colour of the player's own side tag 「自分」

bool isSmallKana(QChar c)
{
    return QStringView(u"ぁぃぅぇぉゃゅょっゎゕゖァィゥェォャュョッヮヵヶ").contains(c);
}

} // namespace

QString cueBadge(const QString &word)
{
    if (word.isEmpty())
        return {};
    const QChar last = word.back();
    const QChar kana = game::expectedKana(word);
    if (kana == last && !isSmallKana(last) && last != u'ー')
        return {};
    return QCoreApplication::translate("WordCue", "つぎ：") + kana;
}

WordCue::WordCue(QLabel *word) : QWidget(word), word_(word)
{
    setObjectName(QStringLiteral("wordCue"));
    translations::keepTranslated(this, [this] {
        setAccessibleName(QCoreApplication::translate("AccessibleNames", "次に始める文字"));
    });
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(word->contentsRect());
    word->installEventFilter(this);
    hide();
}

void WordCue::setOptions(bool cue, bool guide)
{
    cue_ = cue;
    guide_ = guide;
    setVisible(cue || guide);
    update();
}

void WordCue::setKeyGuide(std::optional<platform::KanaKeyboard> keyboard)
{
    keyGuide_.reset();
    if (keyboard)
        keyGuide_.emplace(*keyboard);
    update();
}

bool WordCue::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == word_ && event->type() == QEvent::Resize)
        setGeometry(word_->contentsRect());
    return QWidget::eventFilter(watched, event);
}

// Lays the word out as the label does (left, centred upright, indented half an "x" inside its
// frame), so switching the cue on or off does not move it.
void WordCue::paintEvent(QPaintEvent *)
{
    const QString text = word_->text();
    if (text.isEmpty())
        return;
    QPainter p(this);
    // Painted over the label's own text rather than as an opaque widget: Qt repaints a label
    // that changes its text, and the see-through widgets on it, but not an opaque one.
    p.fillRect(rect(), palette().window());
    p.setRenderHint(QPainter::Antialiasing);
    QRect area = rect();

    if (guide_) {
        QFont small = word_->font();
        small.setPixelSize(13);
        small.setBold(false);
        const int h = QFontMetrics(small).height();
        const QRect line(area.left(), area.bottom() - h, area.width(), h);
        area.setBottom(line.top() - 1);
        p.setFont(small);
        p.setPen(QColor(80, 80, 80));
        p.drawText(line.adjusted(QFontMetrics(word_->font()).horizontalAdvance(u'x') / 2, 0, 0, 0),
                   Qt::AlignLeft | Qt::AlignVCenter, keyGuide_ ? keyGuide_->spell(text) : speller_.spell(text));
    }

    QFont font = word_->font();
    if (guide_)
        font.setPixelSize(font.pixelSize() * area.height() / rect().height());
    p.setFont(font);
    const QFontMetrics fm(font);
    const QRect r = area.adjusted(QFontMetrics(word_->font()).horizontalAdvance(u'x') / 2, 0, 0, 0);
    const QString head = text.chopped(1);
    p.setPen(word_->palette().color(QPalette::WindowText));
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, head);
    p.setPen(cue_ ? kCue : word_->palette().color(QPalette::WindowText));
    p.drawText(r.adjusted(fm.horizontalAdvance(head), 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text.right(1));

    const QString badge = cue_ ? cueBadge(text) : QString();
    if (!badge.isEmpty()) {
        QFont badgeFont = word_->font();
        badgeFont.setPixelSize(13);
        const QFontMetrics bm(badgeFont);
        const QRectF box(width() - bm.horizontalAdvance(badge) - 12 - 3, 3, bm.horizontalAdvance(badge) + 10,
                         bm.height() + 2);
        p.setFont(badgeFont);
        p.setPen(kCue);
        p.setBrush(kCue);
        p.drawRoundedRect(box, 3, 3);
        p.setPen(Qt::white);
        p.drawText(box, Qt::AlignCenter, badge);
    }
}

} // namespace ui
