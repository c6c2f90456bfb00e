#include "chmhelpviewer.h"

#include <QWidget>

namespace ui {

ChmHelpViewer::ChmHelpViewer(QWidget *owner) : owner_(owner) {}

void ChmHelpViewer::open(const QString &) {}

void ChmHelpViewer::closeAll() {}

} // namespace ui
