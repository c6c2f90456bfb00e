#include "enterguard.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace ui {

EnterGuard::EnterGuard(const platform::Clock &clock, QObject *parent) : QObject(parent), clock_(clock)
{
    QCoreApplication::instance()->installEventFilter(this);
}

EnterGuard::~EnterGuard()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

void EnterGuard::arm(int milliseconds)
{
    armed_ = true;
    until_ = clock_.monotonicMs() + milliseconds;
}

bool EnterGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (armed_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (clock_.monotonicMs() < until_)
                return true;
            armed_ = false;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
