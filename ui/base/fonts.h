#pragma once
// The layout's one font family, mapped onto the Japanese Gothic faces this system has.
#include <QFont>
#include <QString>

namespace ui {

inline const QString kLayoutFontFamily = QStringLiteral("ＭＳ Ｐゴシック");

// Maps the layout's family to the Japanese Gothic faces that are installed and makes it the
// application's default at the dialog size (9 pt), so Japanese never falls back to a Chinese face.
void useJapaneseFonts();

// The layout is fixed in pixels, so font sizes are fixed in pixels too: a size in points at
// 96 dpi, which keeps text and boxes in proportion whatever dpi the desktop reports.
int pixelsForPoints(double points);
QFont layoutFont(double points);

} // namespace ui
