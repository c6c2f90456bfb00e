#pragma once
// The window's pictures: SVG resources, and the title banner drawn from the font.
#include <QIcon>
#include <QPixmap>

namespace ui {

// One of the pictures in resources/pictures, by its base name ("save", "signal-red", ...).
QIcon picture(const QString &name);

// The title banner, 308 x 62 pixels, transparent.
QPixmap titleBanner(qreal devicePixelRatio);

} // namespace ui
