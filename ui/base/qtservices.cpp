#include "qtservices.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace ui {

platform::MessageResult MessageBoxes::show(const QString &prompt, const QString &title, platform::MessageIcon icon,
                                           platform::MessageButtons buttons)
{
    QMessageBox::Icon shown = QMessageBox::Information;
    switch (icon) {
    case platform::MessageIcon::Critical:
        shown = QMessageBox::Critical;
        break;
    case platform::MessageIcon::Exclamation:
        shown = QMessageBox::Warning;
        break;
    case platform::MessageIcon::Information:
        shown = QMessageBox::Information;
        break;
    }
    QMessageBox box(shown, title, prompt, QMessageBox::NoButton, owner_);
    box.setTextFormat(Qt::PlainText);
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton *cancel = nullptr;
    if (buttons == platform::MessageButtons::OkCancel)
        cancel = box.addButton(QCoreApplication::translate("MessageBoxes", "キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    // Escape and the title bar's close answer Cancel where there is one, else OK.
    box.setEscapeButton(cancel ? cancel : ok);
    box.exec();
    return box.clickedButton() == ok ? platform::MessageResult::Ok : platform::MessageResult::Cancel;
}

void WindowProgram::showWindow()
{
    window_.show();
    window_.raise();
    window_.activateWindow();
}

bool WindowProgram::bringForward(const QByteArray &token)
{
    if (!window_.isVisible())
        return true; // still starting: it shows itself
    window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    // Where the desktop refuses to hand over the focus, the taskbar entry asks for attention.
    QApplication::alert(&window_);
    // A Wayland desktop gives the focus only with a token from the start that asked for it.
    // Without one Qt would ask for its own with this copy's last input, which comes late if at
    // all, after the later start has said that the game runs here, and over its message.
    const bool wayland = QGuiApplication::platformName().startsWith(u"wayland");
    if (wayland && token.isEmpty())
        return false;
    // Qt's Wayland platform activates with the token it finds here, and clears it.
    if (wayland)
        qputenv("XDG_ACTIVATION_TOKEN", token);
    QWidget *front = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : &window_;
    front->raise();
    front->activateWindow();
    return true;
}

void WindowProgram::end(int exitCode)
{
    ended_ = true;
    exitCode_ = exitCode;
    // Nothing of the window may run after this, not even a tick already due.
    for (QTimer *timer : window_.findChildren<QTimer *>())
        timer->stop();
    window_.hide();
    QCoreApplication::exit(exitCode);
}

} // namespace ui
