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
    QWidget *front = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : &window_;
    // A Wayland desktop gives the focus only with a token from the start that asked for it;
    // Qt's Wayland platform activates with the one it finds here, and clears it.
    const bool wayland = QGuiApplication::platformName().startsWith(u"wayland");
    if (wayland && !token.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", token);
    front->raise();
    front->activateWindow();
    // Where the desktop refuses to hand over the focus, the taskbar entry asks for attention.
    QApplication::alert(&window_);
    return !wayland || !token.isEmpty();
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
