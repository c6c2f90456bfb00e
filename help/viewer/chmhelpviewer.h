#pragma once
// The help viewer: compiled HTML help files shown in a window owned by the main window.
// On Windows the system's HTML Help shows them; elsewhere a window of our own does.
#include "platform/services.h"

#include <QList>
#include <QPointer>

class QWidget;

namespace ui {

class ChmHelpViewer : public platform::HelpViewer {
public:
    explicit ChmHelpViewer(QWidget *owner);
    ~ChmHelpViewer() override;
    ChmHelpViewer(const ChmHelpViewer &) = delete;
    ChmHelpViewer &operator=(const ChmHelpViewer &) = delete;

    // Shows the file's default topic; a file already open has its window brought to the
    // front instead. A file that can't be shown gets a window saying why, never a message box.
    void open(const QString &file) override;
    void closeAll() override;

private:
    QPointer<QWidget> owner_;
    QList<QPointer<QWidget>> windows_;
};

} // namespace ui
