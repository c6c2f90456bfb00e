#pragma once
// The language the program speaks: the Japanese source texts, or the English translation with
// Qt's own texts (OK, Cancel, the edit menus) in the same language.
#include "platform/preferences/preferences.h"

#include <QString>
#include <functional>

class QObject;

namespace translations {

// Installs the translators for `language` in place of those installed before. Every widget
// then gets Qt's LanguageChange event. Japanese needs no translator of ours: the sources are
// Japanese, so a text with no translation is always the Japanese one, never an empty one.
void apply(platform::Language language);
platform::Language current();

// The help file for the current language: "TovelHelp.chm" becomes "TovelHelp_en.chm" in
// English; a Japanese name is returned as it is.
QString helpFileFor(const QString &file);

// Calls `retranslate` now, and again whenever `object` (a widget: the LanguageChange event
// reaches every widget) hears that the language changed. It lives as long as `object`.
void keepTranslated(QObject *object, std::function<void()> retranslate);
// The same from the next change on: for a text someone else shows first.
void followLanguage(QObject *object, std::function<void()> retranslate);

} // namespace translations
