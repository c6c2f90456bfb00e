#include "answerbox.h"

#include <QKeyEvent>

namespace ui {

AnswerBox::AnswerBox(QWidget *parent) : QLineEdit(parent) {}

void AnswerBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // One press submits once, however long the key is held.
        if (event->isAutoRepeat())
            return;
        quint16 key = 13;
        emit keyPress(key);
        if (key == 0)
            return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace ui
