#include "sidewindow.h"

#include <QWidget>

namespace ui {

void besideGame(QWidget &window, const QWidget &game)
{
    window.setAttribute(Qt::WA_QuitOnClose, false);
    // Qt centres a window without a parent on its screen, where a child was centred on the game.
    if (game.screen())
        window.setScreen(game.screen());
}

} // namespace ui
