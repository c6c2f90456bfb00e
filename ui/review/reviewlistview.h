#pragma once
// The review list in the progress window: each word with its card, the day it was added and
// how often it has come up in a game since; a word can be taken off by hand.
#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace meanings {
class Meanings;
}
namespace review {
class ReviewList;
} // namespace review

namespace ui {

class ReviewListView : public QWidget {
    Q_OBJECT
public:
    ReviewListView(const review::ReviewList &list, const meanings::Meanings &meanings, QWidget *parent = nullptr);
    void refresh();

signals:
    // The player took these words off the list.
    void removeRequested(const QStringList &words);

private:
    const review::ReviewList &list_;
    const meanings::Meanings &meanings_;
    QTableWidget *table_;
    QPushButton *remove_;
    QLabel *note_;
};

} // namespace ui
