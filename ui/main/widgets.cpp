#include "widgets.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <qdrawutil.h>

namespace ui {

QToolButton *makePictureButton(QWidget *parent, const QString &name, const QString &caption, const QIcon &icon,
                               const QString &tip)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setIcon(icon);
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setToolTip(tip);
    return button;
}

PictureCheckBox::PictureCheckBox(QWidget *parent) : QCheckBox(parent)
{
    setTristate(false);
    setIconSize(QSize(16, 16));
}

QSize PictureCheckBox::sizeHint() const
{
    return iconSize() + QSize(12, 12);
}

bool PictureCheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

void PictureCheckBox::nextCheckState()
{
    // Greyed behaves like unchecked: a click checks it.
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void PictureCheckBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    const Qt::CheckState state = checkState();
    const bool pressedIn = state != Qt::Unchecked || isDown();
    const QBrush face = palette().button();
    qDrawWinButton(&painter, rect(), palette(), pressedIn, &face);
    if (state != Qt::Unchecked && !isDown()) {
        // A latched button shows a dotted face, as classic toggle buttons do.
        painter.fillRect(rect().adjusted(2, 2, -2, -2), QBrush(palette().color(QPalette::Light), Qt::Dense4Pattern));
    }

    QRect picture(QPoint(0, 0), iconSize());
    picture.moveCenter(rect().center());
    if (pressedIn)
        picture.translate(1, 1);
    const QIcon::Mode mode = (state == Qt::PartiallyChecked || !isEnabled()) ? QIcon::Disabled : QIcon::Normal;
    icon().paint(&painter, picture, Qt::AlignCenter, mode);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void TagLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect area = contentsRect();
    const int step = font().pixelSize() > 0 ? font().pixelSize() : fontMetrics().height();
    int top = area.top();
    for (const QChar c : text()) {
        painter.drawText(QRect(area.left(), top, area.width(), step), Qt::AlignCenter, QString(c));
        top += step;
    }
}

ClickFrame::ClickFrame(QWidget *parent) : QGroupBox(parent) {}

void ClickFrame::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickFrame::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

// The combo's edit field. QComboBox turns leaving the field or pressing Enter with a
// text equal to an item into an activation; those happen inside this field's own key
// and focus handling, so the field can say when an activation is only typing.
class PickCombo::Edit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    bool typing() const { return typing_; }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const QScopedValueRollback guard(typing_, true);
        QLineEdit::keyPressEvent(event);
    }
    void focusOutEvent(QFocusEvent *event) override
    {
        const QScopedValueRollback guard(typing_, true);
        QLineEdit::focusOutEvent(event);
    }

private:
    bool typing_ = false;
};

PickCombo::PickCombo(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    edit_ = new Edit(this);
    setLineEdit(edit_);
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, [this] {
        if (!edit_->typing())
            emit picked();
    });
}

} // namespace ui
