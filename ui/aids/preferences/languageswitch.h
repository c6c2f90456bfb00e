#pragma once
// Switches the program's language when the preference changes: at once while no game runs,
// otherwise when the game ends, so that a game is played in the language it began in.
#include "game/gameevents.h"
#include "platform/preferences/preferences.h"

#include <QObject>

namespace ui {

class PlayAids;

class LanguageSwitch : public QObject, public game::GameEvents {
    Q_OBJECT
public:
    // Speaks the language of the aids' preferences from now on.
    explicit LanguageSwitch(PlayAids &aids);

    void gameEnded(const game::GameResult &result) override;

private:
    void choose(platform::Language language);

    const game::Phase &phase_;
    platform::Language chosen_;
};

} // namespace ui
