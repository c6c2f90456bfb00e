#pragma once
// Names and descriptions for a screen reader on every control of the window, and tips on the
// five statistics boxes, which show bare numbers.
class QWidget;

namespace ui {

void describeControls(QWidget *window);
// Names the labels that show a value (the word to answer, the statistics) with it, as in
// 「正答数：3」; call when they change.
void nameValues(QWidget *window);

} // namespace ui
