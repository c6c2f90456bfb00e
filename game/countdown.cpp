#include "game.h"

#include "files/dictionary.h"

#include <QCoreApplication>
#include <cmath>

namespace game {

void Game::cmdStart_Click()
{
    if (ended_)
        return;
    // The game-start load's first pass comes before any reset: a start refused for the
    // dictionary's size changes nothing, and the last game stays shown and saveable as it was.
    int count = 0;
    QString error;
    if (!dictionary_.count(count, error)) {
        fail(error);
        return;
    }
    // No word to draw, or more than the 16-bit count holds: stay idle, change nothing on disk.
    if (count == 0 || count > files::kMaxDictionaryWords) {
        const QString why = count == 0
            ? QCoreApplication::translate("Game",
                                          "「%1」に言葉がひとつもないため、最初の言葉を出せません。"
                                          "辞書に言葉を入れてからスタートしてください。")
                  .arg(dictionary_.fileName())
            : files::tooManyWordsMessage(dictionary_.fileName());
        s_.messages.show(why, QCoreApplication::translate("Game", "スタートできません"),
                         platform::MessageIcon::Exclamation, platform::MessageButtons::Ok);
        return;
    }

    intMoji = 0;
    intNewWords = 0;
    c_.txtKaitou.setText(QString());
    c_.lblMondai.setCaption(QString());
    blnCountdown = true;
    c_.shpJikanK.setWidth(intBarWidth);
    c_.lstInpRireki.clear();

    // The second pass reads exactly that many words.
    intJisyoCount = qint16(count);
    if (!dictionary_.load(intJisyoCount, strJisyo, error)) {
        fail(error);
        return;
    }

    c_.lstRireki.clear();
    c_.fraRireki.setVisible(true);
    for (platform::Label *label : {&c_.lblOk, &c_.lblNg, &c_.lblMoji_T, &c_.lblByou, &c_.lblRitu})
        label->setCaption(QString());
    intOk = 0;
    intNg = 0;
    c_.lblOk.setCaption(QString::number(intOk));
    c_.lblNg.setCaption(QString::number(intNg));
    c_.cmdStart.setEnabled(false);
    toldUnlearned_ = false;
    events_->phaseChanged(GamePhase::Countdown);
    events_->gameStarted();
}

void Game::tmrStart_Timer()
{
    if (!blnCountdown || ended_) {
        intCountdown = 0;
        return;
    }
    for (int index = 1; index <= 3; ++index)
        c_.imgStart.setVisible(index, false);
    ++intCountdown;
    c_.imgStart.setVisible(intCountdown, true);
    events_->countdownTick(intCountdown);
    if (intCountdown != 3)
        return;

    blnCountdown = false;
    s_.random.reseedFromClock();
    const double r = s_.random.next();
    const int index = int(std::floor(r * intJisyoCount + 1));
    c_.lblMondai.setCaption(strJisyo.value(index - 1));
    c_.lstRireki.addItem(c_.lblMondai.caption());
    c_.txtKaitou.setFocus();
    playStartSeconds_ = s_.clock.secondsSinceMidnight();
    playStartMonotonicMs_ = s_.clock.monotonicMs();
    lngNow = qint32(std::floor(playStartSeconds_));
    lngEnd = lngNow + intJikan;
    blnPlaying = true;
    events_->phaseChanged(GamePhase::Playing);
    events_->wordShown(c_.lblMondai.caption());
}

} // namespace game
