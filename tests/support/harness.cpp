#include "harness.h"

#include <QStringEncoder>

namespace fakes {

QByteArray cp932(const QString &text)
{
    QStringEncoder encoder("windows-31j");
    return encoder.encode(text);
}

Harness::Harness(const QByteArray &settings, const QByteArray &dictionary, const QByteArray &history)
{
    fraRireki.visible = false;
    if (!settings.isNull())
        writeBytes(QStringLiteral("設定.txt"), settings);
    if (!dictionary.isNull())
        writeBytes(QStringLiteral("辞書.txt"), dictionary);
    if (!history.isNull())
        writeBytes(QStringLiteral("履歴.txt"), history);
    game = std::make_unique<game::Game>(game::Controls{lblMondai, lblOk, lblNg, lblMoji_T, lblByou, lblRitu, txtKaitou,
                                                       lstRireki, lstInpRireki, lstHukusu, lstJisyo, fraRireki, fraJisyo,
                                                       cmdStart, chkAs, cboJikan, shpJikanK, imgStart, msgRireki},
                                        game::Services{clock, random, messages, help, program});
    chkAs.onClick = [this] { game->chkAs_Click(); };
    cboJikan.onClick = [this] { game->cboJikan_Click(); };
}

bool Harness::load()
{
    return game->Form_Load();
}

void Harness::startGame(QList<float> firstDraw)
{
    game->cmdStart_Click();
    random.values = firstDraw + random.values;
    for (int tick = 0; tick < 3; ++tick) {
        clock.advance(1000);
        game->tmrStart_Timer();
    }
}

void Harness::answer(const QString &text)
{
    txtKaitou.value = text;
    quint16 key = 13;
    game->txtKaitou_KeyPress(key);
    QCOMPARE(key, quint16(0));
}

void Harness::tick(int seconds)
{
    for (int i = 0; i < seconds; ++i) {
        clock.advance(1000);
        game->tmrStart_Timer();
        game->tmrBp_Timer();
    }
}

void Harness::playOut()
{
    for (int i = 0; i < 400 && game->blnPlaying; ++i) {
        clock.advance(1000);
        game->tmrStart_Timer(); // both timers tick all the time
        game->tmrBp_Timer();
    }
}

} // namespace fakes
