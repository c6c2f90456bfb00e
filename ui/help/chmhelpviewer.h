#pragma once
// The help viewer: compiled HTML help files shown in a window owned by the main window.
#include "platform/services.h"

#include <QPointer>

class QWidget;

namespace ui {

class ChmHelpViewer : public platform::HelpViewer {
public:
    explicit ChmHelpViewer(QWidget *owner);
    void open(const QString &file) override;
    void closeAll() override;

private:
    QPointer<QWidget> owner_;
};

} // namespace ui
