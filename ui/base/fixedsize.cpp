#include "fixedsize.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace ui {
namespace {

constexpr Qt::WindowStates kLarge = Qt::WindowMaximized | Qt::WindowFullScreen;
// A desktop that refuses to maximize says nothing: the window is fixed again after this.
constexpr int kRefusedMs = 2000;

QWidget *widgetOf(const QWindow *handle)
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->windowHandle() == handle)
            return window;
    return nullptr;
}

} // namespace

FixedSizeKeeper::FixedSizeKeeper(QObject *parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

FixedSizeKeeper::~FixedSizeKeeper()
{
    qApp->removeEventFilter(this);
}

bool FixedSizeKeeper::eventFilter(QObject *watched, QEvent *event)
{
    // Every event of the program passes here: the two that matter are told apart first.
    if (event->type() != QEvent::Show && event->type() != QEvent::WindowStateChange)
        return false;
    auto *handle = qobject_cast<QWindow *>(watched);
    if (!handle || !handle->isTopLevel())
        return false;
    if (event->type() == QEvent::Show && !handle->property("kanarinkaKeepsSize").toBool()) {
        // A request from Qt's title bar goes to the desktop before the window hears of it: the
        // window is loosened as it goes, before the desktop's answer is applied.
        handle->setProperty("kanarinkaKeepsSize", true);
        connect(handle, &QObject::destroyed, this, [this, handle] { loose_.remove(handle); });
        connect(handle, &QWindow::windowStateChanged, this, [this, handle] {
            if (handle->windowStates() & kLarge)
                loosen(handle, widgetOf(handle));
        });
    } else if (event->type() == QEvent::WindowStateChange) { // the desktop's word
        if (handle->windowStates() & kLarge) {
            QWidget *window = widgetOf(handle);
            loosen(handle, window);
            if (const auto found = loose_.find(handle); found != loose_.end()) {
                found->reported = true;
                QTimer::singleShot(0, window, [window] { window->setWindowState(window->windowState() & ~kLarge); });
            }
        } else if (loose_.contains(handle)) {
            fix(handle);
        }
    }
    return false;
}

void FixedSizeKeeper::loosen(QWindow *handle, QWidget *window)
{
    if (!window || loose_.contains(handle) || window->minimumSize() != window->maximumSize())
        return;
    loose_.insert(handle, {window, window->minimumSize()});
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    QTimer::singleShot(kRefusedMs, handle, [this, handle] {
        if (const auto found = loose_.find(handle); found != loose_.end() && !found->reported) {
            handle->setWindowStates(handle->windowStates() & ~kLarge);
            fix(handle);
        }
    });
}

void FixedSizeKeeper::fix(QWindow *handle)
{
    const Loose loose = loose_.take(handle);
    if (loose.window)
        loose.window->setFixedSize(loose.size);
}

} // namespace ui
