#pragma once
// The review list in the progress window: each word with its card, the day it comes back (those
// due first), the day it was added and how often it has come up in a game since, and how many
// are due today; a word can be taken off by hand. It follows the list as it changes (refresh)
// and the language.
#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;

namespace meanings {
class Meanings;
}
namespace platform {
class Clock;
}
namespace review {
class ReviewList;
} // namespace review

namespace ui {

class ReviewListModel;

class ReviewListView : public QWidget {
    Q_OBJECT
public:
    ReviewListView(const review::ReviewList &list, const meanings::Meanings &meanings, const platform::Clock &clock,
                   QWidget *parent = nullptr);
    void refresh();

signals:
    // The player took these words off the list.
    void removeRequested(const QStringList &words);

private:
    void describe();

    const review::ReviewList &list_;
    const meanings::Meanings &meanings_;
    const platform::Clock &clock_;
    ReviewListModel *model_;
    QTableView *table_;
    QPushButton *remove_;
    QLabel *title_;
    QLabel *due_;
    QLabel *note_;
};

// The menu entry that opens the review, with the words due today when there are any.
QString reviewActionText(qsizetype due);

} // namespace ui
