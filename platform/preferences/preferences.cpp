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
    {"play/mistakesInWindow", &Preferences::mistakesInWindow},
    {"play/clearEnd", &Preferences::clearEnd},
    {"play/sounds", &Preferences::sounds},
    {"play/weakKanaPractice", &Preferences::weakKanaPractice},
    {"words/reviewAfterGame", &Preferences::reviewAfterGame},
    {"words/reviewPractice", &Preferences::reviewPractice},
};

// Options with a few named values; a value not among them reads as the first, the default.
template <typename Choice, std::size_t N>
struct Named {
    const char *key;
    Choice Preferences::*member;
    const char *names[N];
};
constexpr Named<InputMode, 3> kInputMode{"play/inputMode", &Preferences::inputMode, {"romaji", "kana", "ime"}};
constexpr Named<bool, 2> kKanaKeyboard{"play/kanaKeyboard", &Preferences::usKanaKeyboard, {"jis", "us"}};

template <typename Choice, std::size_t N>
void read(const QSettings &settings, const Named<Choice, N> &option, Preferences &preferences)
{
    const QString value = settings.value(QLatin1String(option.key)).toString();
    preferences.*option.member = Choice(0);
    for (std::size_t i = 0; i < N; ++i) {
        if (value == QLatin1String(option.names[i]))
            preferences.*option.member = Choice(i);
    }
}

template <typename Choice, std::size_t N>
void write(QSettings &settings, const Named<Choice, N> &option, const Preferences &preferences)
{
    settings.setValue(QLatin1String(option.key), QLatin1String(option.names[int(preferences.*option.member)]));
}
// Options that are a number in a range; a value outside it reads as the default.
constexpr struct {
    const char *key;
    int Preferences::*member;
    int low, high;
} kNumbers[] = {
    {"progress/dailyGoalMinutes", &Preferences::dailyGoalMinutes, kMinDailyGoal, kMaxDailyGoal},
};

// The language is a word, not a yes or no: "ja" or "en", anything else reads as Japanese.
const QLatin1String kLanguageKey("ui/language");

std::unique_ptr<QSettings> open(const QString &iniFile)
{
    if (iniFile.isEmpty())
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("kanarinka"),
                                           QStringLiteral("kanarinka"));
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
    for (const auto &option : kNumbers) {
        bool number = false;
        const int value = settings->value(QLatin1String(option.key)).toString().toInt(&number);
        if (number && value >= option.low && value <= option.high)
            preferences.*option.member = value;
    }
    read(*settings, kInputMode, preferences);
    read(*settings, kKanaKeyboard, preferences);
    // Before the input mode there was romaji input on or off; off left typing to the input method.
    if (!settings->contains(QLatin1String(kInputMode.key))
        && settings->value(QStringLiteral("play/romajiInput")).toString() == u"false")
        preferences.inputMode = InputMode::Ime;
    if (settings->value(kLanguageKey).toString() == u"en")
        preferences.language = Language::English;
    return preferences;
}

bool SettingsPreferenceStore::save(const Preferences &preferences, QString &error)
{
    const auto settings = open(iniFile_);
    for (const auto &option : kOptions)
        settings->setValue(QLatin1String(option.key), preferences.*option.member);
    for (const auto &option : kNumbers)
        settings->setValue(QLatin1String(option.key), preferences.*option.member);
    write(*settings, kInputMode, preferences);
    write(*settings, kKanaKeyboard, preferences);
    settings->remove(QStringLiteral("play/romajiInput"));
    settings->setValue(kLanguageKey,
                       preferences.language == Language::English ? QStringLiteral("en") : QStringLiteral("ja"));
    settings->sync();
    if (settings->status() == QSettings::NoError)
        return true;
    error = QCoreApplication::translate("Preferences", "「%1」に設定を書き込めませんでした。").arg(settings->fileName());
    return false;
}

} // namespace platform
