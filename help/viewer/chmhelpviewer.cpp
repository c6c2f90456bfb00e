#include "chmhelpviewer.h"

#include "platform/text/textfile.h"
#include "translations/language.h"

#include <QFileInfo>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include "helpwindow.h"
#endif

namespace ui {
namespace {

// The help in the player's language where it is there, else the one asked for.
QString helpInLanguage(const QString &file)
{
    const QString translated = translations::helpFileFor(file);
    return translated != file && QFileInfo::exists(platform::resolveFileName(translated)) ? translated : file;
}

} // namespace

#ifdef Q_OS_WIN

namespace {

using HtmlHelpW = HWND(WINAPI *)(HWND, LPCWSTR, UINT, DWORD_PTR);
constexpr UINT kDisplayTopic = 0x0000;
constexpr UINT kCloseAll = 0x0012;

// HTML Help lives in hhctrl.ocx; without it there is simply no help.
HtmlHelpW htmlHelp()
{
    static const HtmlHelpW entry = [] {
        HMODULE module = LoadLibraryW(L"hhctrl.ocx");
        return module ? reinterpret_cast<HtmlHelpW>(GetProcAddress(module, "HtmlHelpW")) : nullptr;
    }();
    return entry;
}

} // namespace

ChmHelpViewer::ChmHelpViewer(QWidget *owner) : owner_(owner) {}

ChmHelpViewer::~ChmHelpViewer() = default;

void ChmHelpViewer::open(const QString &asked)
{
    const QString file = helpInLanguage(asked);
    if (const HtmlHelpW help = htmlHelp()) {
        const HWND window = owner_ ? reinterpret_cast<HWND>(owner_->window()->winId()) : nullptr;
        help(window, reinterpret_cast<LPCWSTR>(file.utf16()), kDisplayTopic, 0);
    }
}

void ChmHelpViewer::closeAll()
{
    if (const HtmlHelpW help = htmlHelp())
        help(nullptr, nullptr, kCloseAll, 0);
}

#else

ChmHelpViewer::ChmHelpViewer(QWidget *owner) : owner_(owner) {}

ChmHelpViewer::~ChmHelpViewer()
{
    // Windows without an owner would outlive the program's window otherwise.
    for (const QPointer<QWidget> &w : std::as_const(windows_))
        delete w.data();
}

void ChmHelpViewer::open(const QString &asked)
{
    const QString file = helpInLanguage(asked);
    // A bare name is looked up in the working folder now, as the help system would, and the
    // file is read by that name: Qt can't spell every folder name back (one that isn't
    // UTF-8), so the absolute path only tells windows apart and is shown in notices.
    const QString path = platform::resolveFileName(file);
    const QString location = QFileInfo(path).absoluteFilePath();
    windows_.removeIf([](const QPointer<QWidget> &w) { return w.isNull(); });

    HelpWindow *window = nullptr;
    for (const QPointer<QWidget> &w : std::as_const(windows_)) {
        auto *open = static_cast<HelpWindow *>(w.data());
        if (open->location() == location)
            window = open;
    }
    if (!window) {
        window = new HelpWindow(path, location, owner_);
        windows_.append(window);
    } else if (window->isShowingNotice()) {
        // The file may have been put in place since.
        window->reload();
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

void ChmHelpViewer::closeAll()
{
    for (const QPointer<QWidget> &w : std::as_const(windows_)) {
        if (w)
            w->close();
    }
    windows_.clear();
}

#endif

} // namespace ui
