#include "game.h"

#include "files/history.h"
#include "platform/text/numberformat.h"

#include <QCoreApplication>

namespace game {
namespace {

struct Column {
    const char *heading; // untranslated
    int width;           // twips
};

constexpr Column kColumns[10] = {
    {QT_TRANSLATE_NOOP("Game", "回"), 600},       {QT_TRANSLATE_NOOP("Game", "日付"), 1400},
    {QT_TRANSLATE_NOOP("Game", "時間"), 1000},    {QT_TRANSLATE_NOOP("Game", "問数"), 600},
    {QT_TRANSLATE_NOOP("Game", "ＯＫ"), 600},     {QT_TRANSLATE_NOOP("Game", "ＮＧ"), 600},
    {QT_TRANSLATE_NOOP("Game", "文字数"), 755},   {QT_TRANSLATE_NOOP("Game", "正解率"), 880},
    {QT_TRANSLATE_NOOP("Game", "秒当たり"), 980}, {QT_TRANSLATE_NOOP("Game", "表示秒数"), 1025},
};

// The loaded records as grid rows: the record's number, then its nine values.
class HistoryRows : public platform::GridRows {
public:
    explicit HistoryRows(std::shared_ptr<const files::History> history)
        : history_(std::move(history)), count_(history_->count())
    {
    }
    int count() const override { return count_; }
    QString cell(int row, int col) const override
    {
        return col == 0 ? QString::number(row + 1) : history_->field(row, col - 1);
    }

private:
    std::shared_ptr<const files::History> history_;
    int count_;
};

} // namespace

QString historyHeading(int col)
{
    return QCoreApplication::translate("Game", kColumns[col].heading);
}

void Game::InitRireki()
{
    c_.msgRireki.setFontSize(11);
    c_.msgRireki.setRows(1);
    c_.msgRireki.setRow(0);
    for (int col = 0; col < 10; ++col) {
        c_.msgRireki.setCol(col);
        c_.msgRireki.setText(historyHeading(col));
        c_.msgRireki.setColWidth(col, kColumns[col].width);
    }
    for (int col = 0; col < 10; ++col)
        c_.msgRireki.setFixedAlignment(col, platform::AlignCenterCenter);
    for (int col = 0; col < 10; ++col)
        c_.msgRireki.setColAlignment(col, platform::AlignRightCenter);
    c_.msgRireki.setColAlignment(1, platform::AlignCenterCenter);
    c_.msgRireki.setColAlignment(2, platform::AlignCenterCenter);
}

void Game::appendGridRow(const QStringList &cells)
{
    platform::Grid &grid = c_.msgRireki;
    grid.setRows(grid.rows() + 1);
    grid.setRow(grid.rows() - 1);
    for (int col = 0; col < 10; ++col) {
        grid.setCol(col);
        grid.setText(cells.value(col));
    }
}

void Game::scrollToNewest()
{
    if (c_.msgRireki.rows() > 7)
        c_.msgRireki.setTopRow(c_.msgRireki.rows() - 1);
}

bool Game::loadHistory()
{
    QString error;
    if (!history_->read(files::kHistoryFile, error)) {
        fail(error);
        return false;
    }
    c_.msgRireki.appendRows(std::make_shared<HistoryRows>(history_));
    scrollToNewest();
    return true;
}

bool Game::canSave() const
{
    return !(intOk == 0 && intNg == 0) && !blnPlaying && !blnCountdown && !ended_;
}

bool Game::saveResult(QString &error)
{
    // The file's own count decides, so that a save never makes the history unloadable.
    int records = 0;
    if (!historyRecords_.get(records, error))
        return false;
    if (records >= files::kMaxHistoryRecords) {
        s_.messages.show(files::historyFullMessage(files::kHistoryFile),
                         QCoreApplication::translate("Game", "保存できません"), platform::MessageIcon::Exclamation,
                         platform::MessageButtons::Ok);
        return true;
    }

    const QString accuracy = platform::formatPercent(intOk, intOk + intNg);
    const QString speed = platform::formatPerSecond(intMoji, playedJikan_);
    const QString playTime = files::formatPlayTime(playedJikan_);
    const int words = intJisyoCount + intNewWords;

    // The date and the time are read anew for each cell and for the record.
    appendGridRow({QString::number(c_.msgRireki.rows()), platform::formatDate(s_.clock.now()),
                   platform::formatTime(s_.clock.now()), QString::number(words), QString::number(intOk),
                   QString::number(intNg), QString::number(intMoji), accuracy, speed, playTime});
    scrollToNewest();

    files::HistoryEntry entry{platform::formatDate(s_.clock.now()),
                              platform::formatTime(s_.clock.now()),
                              words,
                              intOk,
                              intNg,
                              intMoji,
                              accuracy,
                              speed,
                              playTime};
    if (files::appendHistoryRecord(files::kHistoryFile, entry, error)) {
        history_->append(entry);
        historyRecords_.changed(1);
        events_->historyChanged();
        return true;
    }
    // The grid mirrors the file: a row the file does not have must not stay.
    c_.msgRireki.setRows(c_.msgRireki.rows() - 1);
    return false;
}

void Game::cmdHozon_Click()
{
    if (!canSave())
        return;
    QString error;
    if (!saveResult(error))
        fail(error);
}

void Game::autoSave()
{
    if (!canSave())
        return;
    QString error;
    if (!saveResult(error))
        s_.messages.show(QCoreApplication::translate("Game", "このゲームの結果を保存できませんでした。\n") + error,
                         QCoreApplication::translate("Game", "保存できません"), platform::MessageIcon::Exclamation,
                         platform::MessageButtons::Ok);
}

void Game::cmdClear_Click()
{
    if (ended_)
        return;
    if (s_.messages.show(QCoreApplication::translate("Game", "履歴データをクリアします。よろしいですか？"),
                         QCoreApplication::translate("Game", "クリア確認"), platform::MessageIcon::Exclamation,
                         platform::MessageButtons::OkCancel)
        != platform::MessageResult::Ok)
        return;
    QString error;
    if (!files::clearHistory(files::kHistoryFile, error)) {
        fail(error);
        return;
    }
    history_->clear();
    c_.msgRireki.setRows(1);
    events_->historyChanged();
    s_.messages.show(QCoreApplication::translate("Game", "履歴データをクリアしました"),
                     QCoreApplication::translate("Game", "クリア終了"), platform::MessageIcon::Information,
                     platform::MessageButtons::Ok);
}

} // namespace game
