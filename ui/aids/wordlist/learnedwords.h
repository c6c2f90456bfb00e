#pragma once
// The learned-words list kept in step with the dictionary file while the program runs. The
// words a game taught join the list at the game's end, in their sorted places and in bold
// until the program ends, so the list agrees with the caption's count. 「この言葉を忘れる」
// (the list's context menu, or Delete) takes a word out of the file, the list and the count
// once the player confirms, never while a game is loaded. Typing in the list finds a word.
#include "files/dictionary.h"
#include "game/gameevents.h"
#include "platform/services.h"
#include "ui/main/kanakeys.h"

#include <QObject>
#include <QStringList>
#include <optional>

class QAction;
class QGroupBox;

namespace ui {

class WordFinder;
class WordList;

class LearnedWords : public QObject, public game::GameEvents {
    Q_OBJECT
public:
    LearnedWords(WordList &list, QGroupBox &frame, files::Dictionary &dictionary, const game::Phase &phase,
                 platform::MessageBoxes &boxes, QObject *parent = nullptr);

    // How keys typed in the list find a word: as the answer box types them.
    void setKanaKeys(const KanaKeys &keys);
    // Asks the player, then forgets the word; false when it was not forgotten.
    bool forget(const QString &word);

    void answerJudged(const game::AnswerJudgement &judgement) override;
    void gameEnded(const game::GameResult &result) override;

signals:
    // The word has been taken out of the dictionary file.
    void forgotten(const QString &word);

private:
    void forgetCurrent();
    void showMenu(const QPoint &at);
    // The number the frame's caption shows: the game's own after a game's end, else the list's.
    int shownCount() const;

    WordList &list_;
    QGroupBox &frame_;
    files::Dictionary &dictionary_;
    const game::Phase &phase_;
    platform::MessageBoxes &boxes_;
    QAction *forget_;
    WordFinder *finder_;
    QStringList unlisted_; // in the file, not yet in the list: learned since the last game's end
    std::optional<int> countedAtEnd_;
};

} // namespace ui
