#include "reviewlistview.h"

#include "meanings/meanings.h"
#include "review/reviewlist.h"
#include "wordcards.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

ReviewListView::ReviewListView(const review::ReviewList &list, const meanings::Meanings &meanings, QWidget *parent)
    : QWidget(parent), list_(list), meanings_(meanings)
{
    setObjectName(QStringLiteral("reviewList"));
    table_ = new QTableWidget(0, 4, this);
    table_->setObjectName(QStringLiteral("reviewListTable"));
    table_->setHorizontalHeaderLabels({tr("言葉"), tr("意味"), tr("入れた日"), tr("出会った回数")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table_->setAccessibleName(tr("復習の一覧"));
    table_->setMaximumHeight(150);
    remove_ = new QPushButton(tr("一覧から外す"), this);
    remove_->setObjectName(QStringLiteral("removeFromReview"));
    remove_->setEnabled(false);
    note_ = new QLabel(this);
    note_->setWordWrap(true);
    note_->setForegroundRole(QPalette::PlaceholderText);
    connect(table_, &QTableWidget::itemSelectionChanged, this,
            [this] { remove_->setEnabled(!table_->selectedItems().isEmpty()); });
    connect(remove_, &QPushButton::clicked, this, [this] {
        QStringList chosen;
        for (const QModelIndex &row : table_->selectionModel()->selectedRows())
            chosen.append(table_->item(row.row(), 0)->text());
        emit removeRequested(chosen);
        refresh();
    });

    auto *title = new QLabel(tr("復習の一覧（ふりかえりに出た言葉と「覚えたい」言葉。正しく 3 回使うと外れます）"), this);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(note_, 1);
    bottom->addWidget(remove_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title);
    layout->addWidget(table_);
    layout->addLayout(bottom);
}

void ReviewListView::refresh()
{
    const QList<review::ReviewWord> &words = list_.words();
    table_->setRowCount(int(words.size()));
    for (int row = 0; row < words.size(); ++row) {
        const review::ReviewWord &w = words[row];
        const QList<meanings::Meaning> meanings = meanings_.lookup(w.word);
        QString meaning;
        if (!meanings.isEmpty())
            meaning = (meanings.front().written.isEmpty() ? QString() : meanings.front().written.join(u'・') + u'　')
                + meanings.front().glosses.join(QStringLiteral("; "));
        const QStringList cells{w.word, meaning, w.added.left(10), QString::number(w.met)};
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            item->setToolTip(wordCard(w.word, meanings_));
            if (column == 3)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(row, column, item);
        }
    }
    table_->resizeColumnToContents(0);
    note_->setText(words.isEmpty() ? tr("まだ言葉はありません。ゲームのあとのふりかえりに出た言葉が入ります。")
                       : meanings_.isReady() && meanings_.state() == meanings::MeaningsIndex::State::Ready ? edictCredit()
                                                                                                           : QString());
}

} // namespace ui
