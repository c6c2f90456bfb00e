#pragma once
// The window's logic: its window-level variables and its event handlers, written against
// the controls' operations and the platform's services only, so it runs without a window.
#include "files/dictionary.h"
#include "files/knowncount.h"
#include "gameevents.h"
#include "platform/controls.h"
#include "platform/services.h"

#include <QStringList>
#include <memory>

namespace files {
class History;
}

namespace game {

struct Controls {
    platform::Label &lblMondai;
    platform::Label &lblOk;
    platform::Label &lblNg;
    platform::Label &lblMoji_T;
    platform::Label &lblByou;
    platform::Label &lblRitu;
    platform::TextBox &txtKaitou;
    platform::ListBox &lstRireki;
    platform::ListBox &lstInpRireki;
    platform::ListBox &lstHukusu;
    platform::ListBox &lstJisyo; // sorted
    platform::Frame &fraRireki;
    platform::Frame &fraJisyo;
    platform::Button &cmdStart;
    platform::CheckBox &chkAs;
    platform::ComboBox &cboJikan;
    platform::Shape &shpJikanK;
    platform::ImageArray &imgStart;
    platform::Grid &msgRireki;
};

struct Services {
    platform::Clock &clock;
    platform::RandomSource &random;
    platform::MessageBoxes &messages;
    platform::HelpViewer &help;
    platform::Program &program;
};

class Game {
public:
    Game(const Controls &controls, const Services &services);

    // Start-up; false when a file stopped it (the program has then been ended).
    bool Form_Load();
    void InitRireki();

    void cmdStart_Click();
    void tmrStart_Timer();
    void txtKaitou_KeyPress(quint16 &keyAscii);
    void tmrBp_Timer();
    void cboJikan_Click();
    void chkAs_Click();
    void cmdHozon_Click();
    void cmdClear_Click();
    void fraJisyo_Click();
    void fraRireki_Click();
    void cmdHelp_Click();
    void cmdEnd_Click();

    // Window-level variables.
    QString strHelpFile;
    bool blnCountdown = false;
    bool blnPlaying = false;
    qint16 intCountdown = 0;
    qint32 lngNow = 0;
    qint32 lngEnd = 0;
    qint16 intRemain = 0;
    qint16 intJisyoCount = 0;
    qint16 intBarWidth = 0;
    qint16 intJikan = 0;
    qint16 intAs = 0;
    qint16 intOk = 0;
    qint16 intNg = 0;
    QStringList strJisyo; // position p of the word list is strJisyo[p - 1]
    qint16 intNewWords = 0;
    qint16 intMoji = 0;

    // True once a failure has ended the program; handlers do nothing more.
    bool ended() const { return ended_; }
    // The saved games as the history file holds them, read once at start-up.
    const files::History &history() const { return *history_; }
    // The dictionary file, and the words this game draws from.
    files::Dictionary &dictionary() { return dictionary_; }

    // Who hears what happens in play; nobody unless set. The listener outlives the game.
    void setEvents(GameEvents *events) { events_ = events ? events : &noEvents_; }
    // Who picks the computer's reply; the uniform draw unless set. It outlives the game.
    void setReplyDraw(ReplyDraw *draw) { replyDraw_ = draw; }

private:
    friend class AnswerReport;

    // Reports a failure that ends the program. The game is idle before the message shows, so
    // no tick behind it plays or saves, and every handler does nothing from then on.
    void fail(const QString &message);
    void showCritical(const QString &prompt, const QString &title);
    // Whether answers count: in a game that plays or is about to begin, not after its end.
    bool countsAnswers() const { return blnPlaying || blnCountdown; }
    void countRejection();
    // A word that could not be written is no reason to end the game: told once a game.
    void reportUnlearned(const QString &error);
    bool loadHistory();
    bool readStartupDictionary();
    void writeSettings();
    void gameEnd();
    // Whether a finished game may be saved now (the save's guard).
    bool canSave() const;
    // Adds the game's row to the grid and its record to the file; false, with the reason
    // and the row taken back, when the file could not be read or written. A full file takes
    // no record and shows no row: the player is told, and that is no failure.
    bool saveResult(QString &error);
    void autoSave();
    void appendGridRow(const QStringList &cells);
    void scrollToNewest();

    Controls c_;
    Services s_;
    GameEvents noEvents_;
    GameEvents *events_ = &noEvents_;
    ReplyDraw *replyDraw_ = nullptr;
    bool ended_ = false;
    std::shared_ptr<files::History> history_;
    files::Dictionary dictionary_;
    // The file's own count, so that no append makes it too long to load.
    files::KnownCount historyRecords_;
    bool toldUnlearned_ = false;
    // The play time the finished game's statistics were worked out with; a new choice in
    // cboJikan after the end does not change what a save writes.
    qint16 playedJikan_ = 0;
    // Play time anchored to the monotonic clock, so the count runs on across midnight.
    double playStartSeconds_ = 0;
    qint64 playStartMonotonicMs_ = 0;
};

// The learned-words panel's caption: "覚えた言葉 " + the word count + "個".
QString learnedWordsCaption(int words);

// The history grid's column headings, 0 to 9, in the player's language.
QString historyHeading(int col);

// Adds to a 16-bit counter without wrapping: it stays at 32767.
qint16 addSaturated(qint16 counter, qint64 amount);

} // namespace game
