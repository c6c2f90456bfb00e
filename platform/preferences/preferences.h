#pragma once
// The player's preferences for what this program adds to the game. Each default keeps the
// game exactly as it plays without them; they live apart from 設定.txt, whose format is fixed.
#include <QString>

class QSettings;

namespace platform {

// How the answer box takes keys: romaji it turns into hiragana, the kana printed on each key,
// or only what a system input method sends.
enum class InputMode { Romaji, Kana, Ime };
// The language of the program's texts; its files never change with it.
enum class Language { Japanese, English };

// The daily goal's range, in minutes.
constexpr int kMinDailyGoal = 1;
constexpr int kMaxDailyGoal = 180;

struct Preferences {
    bool nextKanaCue = true;  // the kana to start with stands out in the computer's word
    bool romajiGuide = false; // the computer's word is also shown in romaji
    InputMode inputMode = InputMode::Romaji;
    bool usKanaKeyboard = false;   // kana input on a board without ¥ and ろ: ー and ろ on its ` key
    bool mistakesInWindow = false; // a broken rule is shown in the window, not in a message box
    bool clearEnd = true;          // 「終了！」 at the end, and a moment in which Enter does nothing
    bool sounds = true;
    bool weakKanaPractice = false;          // the computer's replies lean towards the player's weakest kana
    bool reviewAfterGame = false;           // ふりかえり opens by itself after a game's end messages
    bool reviewPractice = false;            // the computer's replies lean towards words on the review list
    Language language = Language::Japanese; // whatever the system's locale
    int dailyGoalMinutes = 10;              // the day's aim the progress window's calendar shows

    bool operator==(const Preferences &) const = default;
};

class PreferenceStore {
public:
    virtual ~PreferenceStore() = default;
    // What was saved; the default for each option never saved or unreadable.
    virtual Preferences load() const = 0;
    // False, with the reason, when they could not be written.
    virtual bool save(const Preferences &preferences, QString &error) = 0;
};

// Preferences kept by QSettings: in the user's configuration, or in an ini file of its own.
class SettingsPreferenceStore : public PreferenceStore {
public:
    SettingsPreferenceStore(); // the user's configuration of this program
    explicit SettingsPreferenceStore(const QString &iniFile);
    Preferences load() const override;
    bool save(const Preferences &preferences, QString &error) override;

private:
    QString iniFile_; // empty: the user's configuration
};

} // namespace platform
