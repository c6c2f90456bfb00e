#include "game.h"

#include "files/dictionary.h"
#include "files/history.h"
#include "files/settings.h"

#include <QCoreApplication>
#include <cmath>

namespace game {

Game::Game(const Controls &controls, const Services &services)
    : c_(controls), s_(services), history_(std::make_shared<files::History>()),
      historyRecords_(files::kHistoryFile, files::countHistory)
{
}

QString learnedWordsCaption(int words)
{
    return QCoreApplication::translate("Game", "覚えた言葉 %1個").arg(words);
}

qint16 addSaturated(qint16 counter, qint64 amount)
{
    return qint16(std::clamp<qint64>(qint64(counter) + amount, -32768, 32767));
}

void Game::fail(const QString &message)
{
    // The timers tick on while the box is open.
    ended_ = true;
    blnCountdown = false;
    blnPlaying = false;
    s_.messages.show(message, QCoreApplication::translate("Game", "カナリンカ"), platform::MessageIcon::Critical,
                     platform::MessageButtons::Ok);
    s_.program.end(1);
}

bool Game::Form_Load()
{
    strHelpFile = QStringLiteral("TovelHelp.chm");
    InitRireki();
    if (!loadHistory())
        return false;
    s_.program.showWindow();

    files::Settings settings;
    QString error;
    if (!files::readSettings(files::kSettingsFile, settings, error)) {
        fail(error);
        return false;
    }
    intJikan = settings.playTime;
    playedJikan_ = intJikan;
    intAs = settings.autoSave;
    c_.chkAs.setValue(intAs); // raises chkAs_Click when it differs from the laid-out state
    if (ended_)
        return false;
    for (int seconds = 10; seconds <= 180; seconds += 10)
        c_.cboJikan.addItem(QString::number(seconds));
    c_.cboJikan.setText(QString::number(intJikan));

    if (!readStartupDictionary())
        return false;

    // Halves go to the even neighbour.
    intBarWidth = qint16(std::nearbyint(c_.shpJikanK.width()));

    c_.txtKaitou.setText(QString());
    for (platform::Label *label : {&c_.lblMondai, &c_.lblOk, &c_.lblNg, &c_.lblMoji_T, &c_.lblByou, &c_.lblRitu})
        label->setCaption(QString());
    return true;
}

bool Game::readStartupDictionary()
{
    platform::TextItems words;
    QString error;
    if (!dictionary_.readAll(words, error)) {
        fail(error);
        return false;
    }
    c_.lstJisyo.addItems(words);
    c_.fraJisyo.setCaption(learnedWordsCaption(int(words.count())));
    return true;
}

} // namespace game
