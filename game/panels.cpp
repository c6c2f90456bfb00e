#include "game.h"

namespace game {

void Game::fraJisyo_Click()
{
    c_.fraRireki.setVisible(true);
}

void Game::fraRireki_Click()
{
    c_.fraRireki.setVisible(false);
}

void Game::cmdHelp_Click()
{
    s_.help.open(strHelpFile);
}

void Game::cmdEnd_Click()
{
    s_.help.closeAll();
    s_.program.end(0);
}

} // namespace game
