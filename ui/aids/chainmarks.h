#pragma once
// The chain list (lstRireki) with a mark for who said each word, in the colours of the side
// tags 「相手」 and 「自分」, and kept scrolled to its newest word. The list's items stay as
// they are: the chain starts with the computer's word and then alternates answer and reply,
// so a row's place tells who said it.
#include <QStyledItemDelegate>

class QAbstractItemView;

namespace ui {

class ChainMarkDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // True for the computer's words.
    static bool saidByComputer(int row) { return row % 2 == 0; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};

// Sets the marks on the list and scrolls it to each word added.
void markChain(QAbstractItemView *list);

} // namespace ui
