#pragma once
// ふりかえり: after a game, each counted mistake and each answer the player stalled longest
// before, with the kana that was needed and up to three words the dictionary held that would
// have passed every rule then, each with its card. Nothing of it shows during play.
#include "review/gamereview.h"

#include <QWidget>

class QTextBrowser;

namespace meanings {
class Meanings;
}

namespace ui {

class ReviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReviewWindow(const meanings::Meanings &meanings, QWidget *parent = nullptr);

    // The last game's review; `played`: whether a game has ended since the program started.
    void showReview(const QList<review::ReviewEntry> &entries, bool played);

private:
    // In the language of the moment.
    void render();

    const meanings::Meanings &meanings_;
    QTextBrowser *text_;
    QList<review::ReviewEntry> entries_;
    bool played_ = false;
};

} // namespace ui
