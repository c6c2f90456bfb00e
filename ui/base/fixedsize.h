#pragma once
// A window of a fixed size (the game's, a message box) can't take the size a desktop gives
// with the maximized state, and a Wayland desktop ends a program whose window does not: Qt's
// own title bar (on Weston, GNOME) offers maximize on every window. Such a window takes any
// size while the desktop has it maximized or full screen, asks to be restored at once, and is
// fixed again once the desktop has restored it.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSize>

class QWidget;
class QWindow;

namespace ui {

class FixedSizeKeeper : public QObject {
    Q_OBJECT
public:
    // Watches every window of the application for as long as it lives.
    explicit FixedSizeKeeper(QObject *parent = nullptr);
    ~FixedSizeKeeper() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loosen(QWindow *handle, QWidget *window);
    void fix(QWindow *handle);

    struct Loose {
        QPointer<QWidget> window;
        QSize size;            // the fixed size
        bool reported = false; // the desktop has said the window is large
    };
    QHash<const QWindow *, Loose> loose_;
};

} // namespace ui
