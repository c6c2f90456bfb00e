#include "reviewlistview.h"

#include "meanings/meanings.h"
#include "platform/services.h"
#include "progress/practicedays.h"
#include "review/reviewlist.h"
#include "translations/language.h"
#include "wordcards.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace ui {

// The list's words as rows; a row's meaning and card are looked up only when shown, so a
// list of thousands refreshes at once.
class ReviewListModel : public QAbstractTableModel {
public:
    enum Column { Word, Meaning, Due, Added, Met, Columns };

    explicit ReviewListModel(const meanings::Meanings &meanings, QObject *parent)
        : QAbstractTableModel(parent), meanings_(meanings)
    {
    }
    // Due first, the longest overdue at the top; then in the order they were added.
    void show(QList<review::ReviewWord> words, QDate today)
    {
        beginResetModel();
        std::ranges::stable_sort(words, {}, &review::ReviewWord::due);
        words_ = std::move(words);
        today_ = today;
        endResetModel();
    }
    void retranslate() { emit headerDataChanged(Qt::Horizontal, 0, Columns - 1); }
    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(words_.size()); }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : Columns; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        switch (section) {
        case Word:
            return ReviewListView::tr("言葉");
        case Meaning:
            return ReviewListView::tr("意味");
        case Due:
            return ReviewListView::tr("次の日");
        case Added:
            return ReviewListView::tr("入れた日");
        case Met:
            return ReviewListView::tr("出会った回数");
        }
        return {};
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const review::ReviewWord &w = words_.at(index.row());
        switch (role) {
        case Qt::DisplayRole:
            switch (index.column()) {
            case Word:
                return w.word;
            case Meaning:
                return meaning(w.word);
            case Due:
                return w.due <= today_ ? ReviewListView::tr("今日") : w.due.toString(QStringLiteral("yyyy/MM/dd"));
            case Added:
                return w.added.left(10);
            case Met:
                return QString::number(w.met);
            }
            return {};
        case Qt::ToolTipRole:
            return wordCard(w.word, meanings_);
        case Qt::TextAlignmentRole:
            return index.column() == Met ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
        }
        return {};
    }

private:
    QString meaning(const QString &word) const
    {
        const QList<meanings::Meaning> found = meanings_.lookup(word);
        if (found.isEmpty())
            return {};
        const meanings::Meaning &first = found.front();
        return (first.written.isEmpty() ? QString() : first.written.join(u'・') + u'　')
            + first.glosses.join(QStringLiteral("; "));
    }

    const meanings::Meanings &meanings_;
    QList<review::ReviewWord> words_;
    QDate today_;
};

ReviewListView::ReviewListView(const review::ReviewList &list, const meanings::Meanings &meanings,
                               const platform::Clock &clock, QWidget *parent)
    : QWidget(parent), list_(list), meanings_(meanings), clock_(clock), model_(new ReviewListModel(meanings, this))
{
    setObjectName(QStringLiteral("reviewList"));
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("reviewListTable"));
    table_->setModel(model_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(ReviewListModel::Meaning, QHeaderView::Stretch);
    table_->setMaximumHeight(150);
    remove_ = new QPushButton(this);
    remove_->setObjectName(QStringLiteral("removeFromReview"));
    remove_->setEnabled(false);
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("reviewListTitle"));
    title_->setWordWrap(true);
    due_ = new QLabel(this);
    due_->setObjectName(QStringLiteral("reviewDue"));
    note_ = new QLabel(this);
    note_->setWordWrap(true);
    note_->setForegroundRole(QPalette::PlaceholderText);
    // The selection model is the table's own once the model is set.
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { remove_->setEnabled(table_->selectionModel()->hasSelection()); });
    connect(remove_, &QPushButton::clicked, this, [this] {
        QStringList chosen;
        for (const QModelIndex &row : table_->selectionModel()->selectedRows())
            chosen.append(row.data().toString());
        emit removeRequested(chosen);
    });
    // Meanings read after the window opened show in the rows already there.
    connect(&meanings_, &meanings::Meanings::ready, this, &ReviewListView::refresh);

    auto *top = new QHBoxLayout;
    top->addWidget(title_, 1);
    top->addWidget(due_);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(note_, 1);
    bottom->addWidget(remove_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(table_);
    layout->addLayout(bottom);
    translations::keepTranslated(this, [this] { describe(); });
}

void ReviewListView::describe()
{
    title_->setText(tr("復習の一覧（ふりかえりに出た言葉と「覚えたい」言葉。忘れかけるころに、また出ます）"));
    due_->setText(tr("今日の復習 %1 語").arg(list_.dueCount(progress::practiceDay(clock_.now()))));
    table_->setAccessibleName(tr("復習の一覧"));
    remove_->setText(tr("一覧から外す"));
    model_->retranslate();
    const bool ready = meanings_.isReady() && meanings_.state() == meanings::MeaningsIndex::State::Ready;
    note_->setText(list_.size() == 0 ? tr("まだ言葉はありません。ゲームのあとのふりかえりに出た言葉が入ります。")
                       : ready ? edictCredit()
                               : QString());
}

void ReviewListView::refresh()
{
    model_->show(list_.words(), progress::practiceDay(clock_.now()));
    remove_->setEnabled(false);
    table_->resizeColumnToContents(ReviewListModel::Word);
    describe();
}

QString reviewActionText(qsizetype due)
{
    return due > 0 ? ReviewListView::tr("ふりかえり…（復習 %1 語）").arg(due) : ReviewListView::tr("ふりかえり…");
}

} // namespace ui
