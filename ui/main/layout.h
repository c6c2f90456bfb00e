#pragma once
// The window's layout table: where each control sits, in twips inside its container, and what a
// screen reader calls it.
#include <QRect>
#include <span>

class QWidget;

namespace ui {

// How a screen reader hears a control: by its name and description; by its name and then what
// it shows (the word to answer); or so, with both as its tip too (the statistics boxes, which
// show bare numbers).
enum class Spoken { Plain, Value, Statistic };

struct LayoutPlace {
    const char *name;
    const char *container;
    // Left, top, width and height in twips inside the container, 15 to a pixel at 96 dpi.
    int left, top, width, height;
    // Untranslated; none: the control's own text names it. An empty description leaves the
    // control's tip to describe it.
    const char *spokenName = nullptr;
    const char *description = "";
    Spoken spoken = Spoken::Plain;
    QRect pixels() const;
};

// 15 twips to a pixel at 96 dpi, halves away from zero; Qt's device-independent pixels scale
// the whole window on denser screens.
int twipsToPixels(int twips);

std::span<const LayoutPlace> layoutPlaces();
// The row of the table that places `name`.
int layoutRow(const char *name);

// `placed` holds the widget of each row of the table, in its order.
void describeControls(std::span<QWidget *const> placed);
// Names the labels that show a value with it, as in 「正答数：3」.
void nameValues(std::span<QWidget *const> placed);

} // namespace ui
