#pragma once
// The review list in the progress window: each word with its card, the day it was added and
// how often it has come up in a game since; a word can be taken off by hand. It follows the
// list as it changes (refresh) and the language.
#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;

namespace meanings {
class Meanings;
}
namespace review {
class ReviewList;
} // namespace review

namespace ui {

class ReviewListModel;

class ReviewListView : public QWidget {
    Q_OBJECT
public:
    ReviewListView(const review::ReviewList &list, const meanings::Meanings &meanings, QWidget *parent = nullptr);
    void refresh();

signals:
    // The player took these words off the list.
    void removeRequested(const QStringList &words);

private:
    void describe();

    const review::ReviewList &list_;
    const meanings::Meanings &meanings_;
    ReviewListModel *model_;
    QTableView *table_;
    QPushButton *remove_;
    QLabel *title_;
    QLabel *note_;
};

} // namespace ui
