#include "notelabel.h"

#include "ui/base/fonts.h"

namespace ui {

NoteLabel::NoteLabel(QWidget *parent, const QString &name, const QRect &geometry, int pixelSize) : QLabel(parent)
{
    setObjectName(name);
    setGeometry(geometry);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
    QFont font = layoutFont(9);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    setFont(font);
    setStyleSheet(QStringLiteral("color: rgb(192, 0, 0); background: rgb(255, 255, 240);"
                                 "border: 2px solid rgb(192, 0, 0); border-radius: 4px;"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &QWidget::hide);
}

void NoteLabel::showNote(const QString &text, int milliseconds)
{
    setText(text);
    setAccessibleName(text);
    raise();
    show();
    if (milliseconds > 0)
        timer_.start(milliseconds);
    else
        timer_.stop();
}

} // namespace ui
