#include "game.h"

#include "files/dictionary.h"
#include "platform/kana.h"
#include "platform/textfile.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace game {
namespace {

QString lastNormalised(const QString &word)
{
    return word.isEmpty() ? QString() : QString(platform::normaliseSmallKana(word.back()));
}

QString first(const QString &word)
{
    return word.left(1);
}

} // namespace

void Game::showCritical(const QString &prompt, const QString &title)
{
    s_.messages.show(prompt, title, platform::MessageIcon::Critical, platform::MessageButtons::Ok);
}

// A rejection is counted before its box opens: the game may end behind the box, and the
// rejection belongs to the game in which Enter was pressed.
void Game::countRejection()
{
    if (countsAnswers()) {
        intNg = addSaturated(intNg, 1);
        c_.lblNg.setCaption(QString::number(intNg));
    }
    c_.txtKaitou.setText(QString());
}

bool Game::learnWord(const QString &word, QString &error)
{
    // The file's own count: words learned after a game's end, or added by hand, count too.
    int words = 0;
    if (!dictionaryWords_.get(words, error) || words >= files::kMaxDictionaryWords)
        return false;
    if (!files::appendWord(files::kDictionaryFile, word, error))
        return false;
    dictionaryWords_.appended();
    return true;
}

void Game::reportUnlearned(const QString &error)
{
    if (error.isEmpty() || toldUnlearned_)
        return;
    toldUnlearned_ = true;
    s_.messages.show(QStringLiteral("「%1」に新しい言葉を書き込めないため、その言葉は覚えられません。"
                                    "ゲームはこのまま続けます。\n%2")
                         .arg(files::kDictionaryFile, error),
                     QStringLiteral("辞書に書き込めません"), platform::MessageIcon::Exclamation,
                     platform::MessageButtons::Ok);
}

void Game::txtKaitou_KeyPress(quint16 &keyAscii)
{
    if (keyAscii != 13 || ended_)
        return;
    keyAscii = 0;
    const QString answer = platform::toWideHiragana(c_.txtKaitou.text());
    const AnswerReport report(*this, answer);

    if (answer.endsWith(u'ん')) {
        countRejection();
        showCritical(QStringLiteral("最後が『ん』じゃだめです！"), QStringLiteral("間違い"));
        return;
    }
    if (answer.endsWith(u'ー')) {
        showCritical(QStringLiteral("最後の 『ー』 は 『ぃ』 とか 『ぅ』 とかに置き換えてください！"),
                     QStringLiteral("置き換え"));
        c_.txtKaitou.setText(QString());
        return;
    }
    for (int i = 0; i < c_.lstInpRireki.count(); ++i) {
        if (c_.lstInpRireki.item(i) == answer) {
            countRejection();
            showCritical(QStringLiteral("既に使った回答です！"), QStringLiteral("重複回答"));
            return;
        }
    }
    // An empty answer never continues a chain, even before the first word is shown:
    // accepting it would write an empty line into the dictionary.
    const QString current = c_.lblMondai.caption();
    if (answer.isEmpty() || first(answer) != lastNormalised(current)) {
        countRejection();
        showCritical(QStringLiteral("しりとりになっていません！"), QStringLiteral("間違い"));
        return;
    }

    // (a) Learning. A word CP932 cannot hold is never written (it would become "?"), and a
    // full dictionary takes no more words, so the file stays loadable.
    const std::span<const QString> known(strJisyo.constData(),
                                         qMin<qsizetype>(intJisyoCount, strJisyo.size()));
    QString unlearned;
    if (!std::ranges::any_of(known, [&](const QString &w) { return w == answer; })
        && platform::isCp932Encodable(answer) && learnWord(answer, unlearned) && countsAnswers())
        intNewWords = addSaturated(intNewWords, 1);

    // (b) Candidates, compared as stored.
    c_.lstHukusu.clear();
    const QChar tail = platform::normaliseSmallKana(answer.back());
    for (int p = 0; p < intJisyoCount && p < strJisyo.size(); ++p) {
        if (!strJisyo[p].isEmpty() && strJisyo[p].front() == tail)
            c_.lstHukusu.addItem(strJisyo[p]);
    }
    c_.lstRireki.addItem(answer); // (c)

    // (d) Reply at floor(n * r + 1) - 1; (e) none: the answer itself.
    const int n = c_.lstHukusu.count();
    const double r = s_.random.next();
    const int index = int(std::floor(n * r + 1)) - 1;
    c_.lblMondai.setCaption(n > 0 ? c_.lstHukusu.item(index) : QString());
    if (c_.lblMondai.caption().isEmpty())
        c_.lblMondai.setCaption(answer);

    c_.lstRireki.addItem(c_.lblMondai.caption()); // (f)
    c_.lstInpRireki.addItem(answer);              // (g)
    if (countsAnswers()) {
        intOk = addSaturated(intOk, 1); // (h)
        c_.lblOk.setCaption(QString::number(intOk));
        intMoji = addSaturated(intMoji, answer.size()); // (i)
    }
    c_.txtKaitou.setText(QString()); // (j)
    reportUnlearned(unlearned);      // after the answer has been counted
}

} // namespace game
