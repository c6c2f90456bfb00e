#include "chainmarks.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace ui {
namespace {

constexpr int kMarkWidth = 4;
constexpr int kGap = 3;

} // namespace

void ChainMarkDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->rect.adjust(kMarkWidth + kGap, 0, 0, 0);
}

void ChainMarkDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QColor colour = saidByComputer(index.row()) ? QColor(0, 0, 192) : QColor(192, 0, 0);
    painter->fillRect(QRect(option.rect.left() + 1, option.rect.top() + 2, kMarkWidth, option.rect.height() - 4), colour);
}

bool ChainMarkDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                                  const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QToolTip::showText(event->globalPos(),
                       saidByComputer(index.row()) ? QCoreApplication::translate("ChainMarks", "相手の言葉")
                                                   : QCoreApplication::translate("ChainMarks", "自分の答え"),
                       view);
    return true;
}

void markChain(QAbstractItemView *list)
{
    list->setItemDelegate(new ChainMarkDelegate(list));
    QAbstractItemModel *model = list->model();
    auto follow = [list] { list->scrollToBottom(); };
    QObject::connect(model, &QAbstractItemModel::rowsInserted, list, follow);
    QObject::connect(model, &QAbstractItemModel::modelReset, list, follow);
}

} // namespace ui
