#pragma once
// The window's services: modal message boxes and the program around the window.
#include "platform/services.h"

#include <QPointer>
#include <QWidget>

namespace ui {

class MessageBoxes : public platform::MessageBoxes {
public:
    explicit MessageBoxes(QWidget *owner) : owner_(owner) {}
    platform::MessageResult show(const QString &prompt, const QString &title, platform::MessageIcon icon,
                                 platform::MessageButtons buttons) override;

private:
    QPointer<QWidget> owner_;
};

// Shows the window; ends the program at once with an exit status. Ending before the event
// loop runs only records the status: main returns it.
class WindowProgram : public platform::Program {
public:
    explicit WindowProgram(QWidget &window) : window_(window) {}
    void showWindow() override;
    void end(int exitCode) override;
    // Brings a shown window (and a message box open over it) to the front, with the desktop's
    // leave to take the focus where it asks for one (`token`, empty without). Returns false
    // where the window could not come forward.
    bool bringForward(const QByteArray &token = {});

    bool ended() const { return ended_; }
    int exitCode() const { return exitCode_; }

private:
    QWidget &window_;
    bool ended_ = false;
    int exitCode_ = 0;
};

} // namespace ui
