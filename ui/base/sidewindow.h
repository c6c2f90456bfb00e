#pragma once
// The progress, review and help windows are windows of their own beside the game's. A child
// window is kept above its parent by the desktop (by every Wayland compositor), where it hides
// the answer box and a click on the game can't bring the game forward.
class QWidget;

namespace ui {

// For `window`, made without a parent and deleted by its owner with the game: it opens on the
// game window's screen and never keeps the program running once the game's window is closed.
void besideGame(QWidget &window, const QWidget &game);

} // namespace ui
