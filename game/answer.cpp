#include "game.h"
#include "rules.h"

#include "files/dictionary.h"
#include "platform/kana/kana.h"

#include <QCoreApplication>
#include <cmath>

namespace game {
namespace {

struct RuleMessage {
    const char *prompt; // untranslated
    const char *title;
    bool counted; // the "ー" rule is a reminder, not a rejection
};

// The message of the rule an answer broke.
RuleMessage ruleMessage(AnswerVerdict verdict)
{
    switch (verdict) {
    case AnswerVerdict::EndsInN:
        return {QT_TRANSLATE_NOOP("Game", "最後が『ん』じゃだめです！"), QT_TRANSLATE_NOOP("Game", "間違い"), true};
    case AnswerVerdict::EndsInLongSound:
        return {QT_TRANSLATE_NOOP("Game", "最後の 『ー』 は 『ぃ』 とか 『ぅ』 とかに置き換えてください！"),
                QT_TRANSLATE_NOOP("Game", "置き換え"), false};
    case AnswerVerdict::Duplicate:
        return {QT_TRANSLATE_NOOP("Game", "既に使った回答です！"), QT_TRANSLATE_NOOP("Game", "重複回答"), true};
    default:
        return {QT_TRANSLATE_NOOP("Game", "しりとりになっていません！"), QT_TRANSLATE_NOOP("Game", "間違い"), true};
    }
}

} // namespace

int uniformReplyIndex(int n, double r)
{
    return int(std::floor(n * r + 1)) - 1;
}

QChar expectedKana(const QString &word)
{
    return word.isEmpty() ? QChar() : platform::normaliseSmallKana(word.back());
}

// The four rules, in the order they are applied: "ん", "ー", duplicate, chain.
AnswerVerdict judgeAnswer(const QString &answer, const QString &current, const platform::ListBox &previousAnswers)
{
    if (answer.endsWith(u'ん'))
        return AnswerVerdict::EndsInN;
    if (answer.endsWith(u'ー'))
        return AnswerVerdict::EndsInLongSound;
    for (int i = 0; i < previousAnswers.count(); ++i)
        if (previousAnswers.item(i) == answer)
            return AnswerVerdict::Duplicate;
    // An empty answer never continues a chain, even before the first word is shown:
    // accepting it would write an empty line into the dictionary.
    if (answer.isEmpty() || current.isEmpty() || answer.front() != expectedKana(current))
        return AnswerVerdict::BrokenChain;
    return AnswerVerdict::Accepted;
}

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

void Game::reportUnlearned(const QString &error)
{
    if (error.isEmpty() || toldUnlearned_)
        return;
    toldUnlearned_ = true;
    s_.messages.show(QCoreApplication::translate("Game",
                                                 "「%1」に新しい言葉を書き込めないため、その言葉は覚えられません。"
                                                 "ゲームはこのまま続けます。\n%2")
                         .arg(dictionary_.fileName(), error),
                     QCoreApplication::translate("Game", "辞書に書き込めません"), platform::MessageIcon::Exclamation,
                     platform::MessageButtons::Ok);
}

void Game::txtKaitou_KeyPress(quint16 &keyAscii)
{
    if (keyAscii != 13 || ended_)
        return;
    keyAscii = 0;
    const QString answer = platform::toWideHiragana(c_.txtKaitou.text());
    const AnswerVerdict verdict = judgeAnswer(answer, c_.lblMondai.caption(), c_.lstInpRireki);
    const AnswerReport report(*this, answer, verdict);

    if (verdict != AnswerVerdict::Accepted) {
        const RuleMessage rule = ruleMessage(verdict);
        if (rule.counted)
            countRejection();
        showCritical(QCoreApplication::translate("Game", rule.prompt), QCoreApplication::translate("Game", rule.title));
        if (!rule.counted)
            c_.txtKaitou.setText(QString());
        return;
    }

    // (a) Learning: a word not among strJisyo's first intJisyoCount.
    QString unlearned;
    if (dictionary_.learn(answer, unlearned) && countsAnswers())
        intNewWords = addSaturated(intNewWords, 1);

    // (b) Candidates among the same words, compared as stored.
    c_.lstHukusu.clear();
    const QChar tail = platform::normaliseSmallKana(answer.back());
    for (const QString &word : dictionary_.drawn()) {
        if (!word.isEmpty() && word.front() == tail)
            c_.lstHukusu.addItem(word);
    }
    c_.lstRireki.addItem(answer); // (c)

    // (d) Reply at floor(n * r + 1) - 1; (e) none: the answer itself.
    const int n = c_.lstHukusu.count();
    const double r = s_.random.next();
    const int index = replyDraw_ && n > 0 ? replyDraw_->pick(c_.lstHukusu, r) : uniformReplyIndex(n, r);
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
