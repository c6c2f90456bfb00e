#include "game.h"

#include "files/settings.h"

namespace game {

void Game::cboJikan_Click()
{
    // Only the 18 items raise this, so the text is a whole number of seconds.
    bool ok = false;
    const qint16 value = c_.cboJikan.text().toShort(&ok);
    if (!ok || value <= 0)
        return;
    intJikan = value;
    writeSettings();
}

void Game::chkAs_Click()
{
    intAs = qint16(c_.chkAs.value());
    writeSettings();
}

void Game::writeSettings()
{
    QString error;
    if (!files::writeSettings(files::kSettingsFile, {intJikan, intAs}, error))
        fail(error);
}

} // namespace game
