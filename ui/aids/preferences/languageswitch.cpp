#include "languageswitch.h"

#include "translations/language.h"
#include "ui/aids/playaids.h"

namespace ui {

LanguageSwitch::LanguageSwitch(PlayAids &aids) : QObject(&aids), chosen_(aids.preferences().language)
{
    translations::apply(chosen_);
    aids.listeners().add(this);
    connect(&aids, &PlayAids::preferencesApplied, this,
            [this](const platform::Preferences &preferences) { choose(preferences.language); });
}

void LanguageSwitch::choose(platform::Language language)
{
    chosen_ = language;
    if (!playing_ && language != translations::current())
        translations::apply(language);
}

void LanguageSwitch::gameEnded(const game::GameResult &)
{
    playing_ = false;
    choose(chosen_);
}

} // namespace ui
