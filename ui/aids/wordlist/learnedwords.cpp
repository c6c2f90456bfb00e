#include "learnedwords.h"

#include "game/game.h"
#include "translations/language.h"
#include "ui/main/views/wordlist.h"
#include "wordfinder.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>

#include <algorithm>

namespace ui {
namespace {

const char *const kForgetTitle = QT_TRANSLATE_NOOP("ui::LearnedWords", "言葉を忘れる");

} // namespace

LearnedWords::LearnedWords(WordList &list, QGroupBox &frame, files::Dictionary &dictionary, const game::Phase &phase,
                           platform::MessageBoxes &boxes, QObject *parent)
    : QObject(parent), list_(list), frame_(frame), dictionary_(dictionary), phase_(phase), boxes_(boxes),
      forget_(new QAction(tr("この言葉を忘れる"), &list)), finder_(new WordFinder(list))
{
    forget_->setObjectName(QStringLiteral("forgetWordAction"));
    translations::keepTranslated(&list, [this] { forget_->setText(tr("この言葉を忘れる")); });
    forget_->setShortcut(QKeySequence::Delete);
    forget_->setShortcutContext(Qt::WidgetShortcut);
    list.addAction(forget_);
    connect(forget_, &QAction::triggered, this, &LearnedWords::forgetCurrent);
    // Start-up and every game's end show the count first.
    translations::followLanguage(&frame, [this] { frame_.setTitle(game::learnedWordsCaption(shownCount())); });
    list.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&list, &QWidget::customContextMenuRequested, this, &LearnedWords::showMenu);
}

void LearnedWords::setKanaKeys(const KanaKeys &keys)
{
    finder_->setKanaKeys(keys);
}

void LearnedWords::showMenu(const QPoint &at)
{
    const QModelIndex index = list_.indexAt(at);
    if (index.isValid())
        list_.setCurrentIndex(index);
    forget_->setEnabled(list_.currentIndex().isValid());
    QMenu menu(&list_);
    menu.addAction(forget_);
    menu.exec(list_.viewport()->mapToGlobal(at));
    forget_->setEnabled(true);
}

void LearnedWords::forgetCurrent()
{
    const QModelIndex current = list_.currentIndex();
    if (current.isValid())
        forget(current.data().toString());
}

bool LearnedWords::forget(const QString &word)
{
    const QString &file = dictionary_.fileName();
    if (phase_.inGame()) {
        boxes_.show(tr("ゲームの間は言葉を忘れられません。いまのゲームは「%1」の言葉を読み込んで"
                       "使っています。ゲームが終わってから、もう一度選んでください。")
                        .arg(file),
                    tr(kForgetTitle), platform::MessageIcon::Exclamation, platform::MessageButtons::Ok);
        return false;
    }
    if (boxes_.show(tr("「%1」を忘れますか？\n「%2」からこの言葉を消すと、"
                       "コンピューターは次のゲームからこの言葉を使いません。")
                        .arg(word, file),
                    tr(kForgetTitle), platform::MessageIcon::Exclamation, platform::MessageButtons::OkCancel)
        != platform::MessageResult::Ok)
        return false;

    files::WordTally shown;
    list_.wordModel()->forEachWord([&shown](QStringView w) { shown.add(w); });
    for (const QString &w : std::as_const(unlisted_))
        shown.add(w);
    int removed = 0;
    QString error;
    if (!dictionary_.forget(word, shown, removed, error)) {
        boxes_.show(tr("「%1」を忘れられませんでした。「%2」は変えていません。\n%3").arg(word, file, error),
                    tr("言葉を忘れられません"), platform::MessageIcon::Exclamation, platform::MessageButtons::Ok);
        return false;
    }
    list_.wordModel()->remove(word);
    countedAtEnd_.reset();
    frame_.setTitle(game::learnedWordsCaption(shownCount()));
    emit forgotten(word);
    return true;
}

void LearnedWords::answerJudged(const game::AnswerJudgement &judgement)
{
    if (judgement.learned)
        unlisted_.append(judgement.answer);
}

int LearnedWords::shownCount() const
{
    return countedAtEnd_.value_or(list_.count() + int(unlisted_.size()));
}

void LearnedWords::gameEnded(const game::GameResult &result)
{
    countedAtEnd_ = result.dictionaryWords;
    if (unlisted_.isEmpty())
        return;
    for (const QString &word : std::as_const(unlisted_)) {
        list_.addItem(word);
        list_.wordModel()->mark(word);
    }
    // The first of them in the list's order is shown, ready to be forgotten if it was a slip.
    const QString first = *std::min_element(unlisted_.cbegin(), unlisted_.cend());
    unlisted_.clear();
    const int row = list_.wordModel()->firstStartingWith(first);
    if (row < 0)
        return;
    const QModelIndex index = list_.model()->index(row, 0);
    list_.setCurrentIndex(index);
    list_.scrollTo(index, QAbstractItemView::PositionAtCenter);
}

} // namespace ui
