#pragma once
// The review list in the progress window: each word with its card, the day it was added and
// how often it has come up in a game since; a word can be taken off by hand.
#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace words {
class Meanings;
class ReviewList;
} // namespace words

namespace ui {

class ReviewListView : public QWidget {
    Q_OBJECT
public:
    ReviewListView(const words::ReviewList &list, const words::Meanings &meanings, QWidget *parent = nullptr);
    void refresh();

signals:
    // The player took these words off the list.
    void removeRequested(const QStringList &words);

private:
    const words::ReviewList &list_;
    const words::Meanings &meanings_;
    QTableWidget *table_;
    QPushButton *remove_;
    QLabel *note_;
};

} // namespace ui
