#pragma once
// A word's card: the word, its romaji, how it is written and what it means, from EDICT. It is
// the tooltip of every word in the window (the computer's word, the chain, the learned words,
// the lists below), shows when a word in a list is selected, and a click on the computer's
// word opens it with 「覚えたい」, which puts the word on the review list.
#include "meanings/meanings.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QAbstractItemView;
class QLabel;
class QPoint;

namespace ui {

// The card as rich text; `credit`: with the line that credits the meanings' source.
QString wordCard(const QString &word, const meanings::Meanings &meanings, bool credit = true);
// Credits the meanings' source, wherever meanings show.
QString edictCredit();

class WordCards : public QObject {
    Q_OBJECT
public:
    explicit WordCards(const meanings::Meanings &meanings, QObject *parent = nullptr);

    // Each row's card as the view's tooltip, and beside the row when it becomes the current
    // one. `label` says what a row is (who said it), for a line above the card.
    void attach(QAbstractItemView *view, std::function<QString(int row)> label = {});
    // The card of the label's text. With `want` (the computer's word), a click opens the card
    // with 「覚えたい」, which hands the word to `want`; `wanted` says whether it already was.
    void attach(QLabel *label, std::function<void(const QString &)> want = {},
                std::function<bool(const QString &)> wanted = {});

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Label {
        QLabel *label;
        std::function<void(const QString &)> want;
        std::function<bool(const QString &)> wanted;
    };
    void openCard(const Label &label, const QPoint &at);

    const meanings::Meanings &meanings_;
    QList<std::pair<QAbstractItemView *, std::function<QString(int)>>> views_;
    QList<Label> labels_;
};

} // namespace ui
