#include "game.h"

#include "platform/text/numberformat.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <limits>

namespace game {
namespace {

// From here on a failing step of the game end is skipped and the next one runs.
template <typename Step>
void skipOnFailure(Step step)
{
    try {
        step();
    } catch (...) {
    }
}

} // namespace

void Game::tmrBp_Timer()
{
    if (!blnPlaying || ended_)
        return;
    // Seconds since midnight at the start of play, run on by the monotonic clock, so a
    // game across midnight keeps counting instead of starting again at 0.
    const double elapsed = (s_.clock.monotonicMs() - playStartMonotonicMs_) / 1000.0;
    lngNow = qint32(std::floor(playStartSeconds_ + elapsed));
    intRemain = qint16(std::clamp<qint64>(qint64(lngEnd) - lngNow, -32768, 32767));
    double w = std::floor(double(intRemain) / intJikan * 100 * intBarWidth / 100);
    if (w < 0)
        w = 0;
    c_.shpJikanK.setWidth(int(std::min(w, double(std::numeric_limits<int>::max()))));
    if (intRemain > 0)
        return;
    gameEnd();
}

void Game::gameEnd()
{
    blnPlaying = false;
    playedJikan_ = intJikan;
    c_.cmdStart.setEnabled(true);
    skipOnFailure([&] { events_->phaseChanged(GamePhase::Ending); });
    skipOnFailure([&] { events_->gameEnded(gameResult(*this)); });
    skipOnFailure([&] { c_.lstJisyo.setFocus(); });
    skipOnFailure([&] { c_.lblByou.setCaption(platform::formatPerSecondShown(intMoji, intJikan)); });
    skipOnFailure([&] {
        c_.lblRitu.setCaption(intMoji != 0 ? platform::formatPercent(intOk, intOk + intNg) : QStringLiteral("0.0%"));
    });
    skipOnFailure([&] { c_.lblMoji_T.setCaption(QString::number(intMoji)); });
    skipOnFailure([&] {
        if (intAs == 1)
            autoSave();
    });
    skipOnFailure([&] { c_.fraJisyo.setCaption(learnedWordsCaption(intJisyoCount + intNewWords)); });
    skipOnFailure([&] {
        if (intNewWords != 0)
            s_.messages.show(QCoreApplication::translate("Game", "新しい文字を %1 個覚えました！").arg(intNewWords),
                             QCoreApplication::translate("Game", "辞書追加"), platform::MessageIcon::Information,
                             platform::MessageButtons::Ok);
    });
    skipOnFailure([&] { events_->phaseChanged(GamePhase::Idle); });
}

} // namespace game
