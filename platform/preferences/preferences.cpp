#include "preferences.h"

#include <QCoreApplication>
#include <QSettings>
#include <memory>

namespace platform {
namespace {

// Every option once: its key in the settings and its place in the struct.
constexpr struct {
    const char *key;
    bool Preferences::*member;
} kOptions[] = {
    {"play/nextKanaCue", &Preferences::nextKanaCue},
    {"play/romajiGuide", &Preferences::romajiGuide},
    {"play/romajiInput", &Preferences::romajiInput},
    {"play/mistakesInWindow", &Preferences::mistakesInWindow},
    {"play/clearEnd", &Preferences::clearEnd},
    {"play/sounds", &Preferences::sounds},
    {"play/weakKanaPractice", &Preferences::weakKanaPractice},
};

// The language is a word, not a yes or no: "ja" or "en", anything else reads as Japanese.
const QLatin1String kLanguageKey("ui/language");

std::unique_ptr<QSettings> open(const QString &iniFile)
{
    if (iniFile.isEmpty())
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           QStringLiteral("kanarinka"), QStringLiteral("kanarinka"));
    return std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
}

} // namespace

SettingsPreferenceStore::SettingsPreferenceStore() = default;

SettingsPreferenceStore::SettingsPreferenceStore(const QString &iniFile) : iniFile_(iniFile) {}

Preferences SettingsPreferenceStore::load() const
{
    const auto settings = open(iniFile_);
    Preferences preferences;
    for (const auto &option : kOptions) {
        const QVariant value = settings->value(QLatin1String(option.key));
        // Only a real yes or no replaces the default; a hand-edited "maybe" does not.
        if (value.isValid() && (value.toString() == u"true" || value.toString() == u"false"))
            preferences.*option.member = value.toBool();
    }
    if (settings->value(kLanguageKey).toString() == u"en")
        preferences.language = Language::English;
    return preferences;
}

bool SettingsPreferenceStore::save(const Preferences &preferences, QString &error)
{
    const auto settings = open(iniFile_);
    for (const auto &option : kOptions)
        settings->setValue(QLatin1String(option.key), preferences.*option.member);
    settings->setValue(kLanguageKey, preferences.language == Language::English ? QStringLiteral("en") : QStringLiteral("ja"));
    settings->sync();
    if (settings->status() == QSettings::NoError)
        return true;
    error = QCoreApplication::translate("Preferences", "「%1」に設定を書き込めませんでした。").arg(settings->fileName());
    return false;
}

} // namespace platform
