#include "languageswitch.h"

#include "translations/language.h"
#include "ui/aids/playaids.h"

namespace ui {

LanguageSwitch::LanguageSwitch(PlayAids &aids)
    : QObject(&aids), phase_(aids.phase()), chosen_(aids.preferences().language)
{
    translations::apply(chosen_);
    aids.listeners().add(this);
    connect(&aids, &PlayAids::preferencesApplied, this,
            [this](const platform::Preferences &preferences) { choose(preferences.language); });
}

void LanguageSwitch::choose(platform::Language language)
{
    chosen_ = language;
    if (!phase_.inGame() && language != translations::current())
        translations::apply(language);
}

void LanguageSwitch::gameEnded(const game::GameResult &)
{
    choose(chosen_);
}

} // namespace ui
