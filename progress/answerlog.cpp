#include "answerlog.h"

namespace progress {

QString AnswerLog::add(const AnswerRow &row)
{
    if (stats_)
        stats_->add(row);
    QString error;
    if (file_.append(row, error) || std::exchange(failed_, true))
        return {};
    return error + QStringLiteral("\nこのあとの答えも記録できないかもしれません。ゲームはそのまま続けられます。");
}

const KanaStats &AnswerLog::stats()
{
    if (!stats_) {
        AnswerRecord record;
        QString ignored; // a file that cannot be read was told of at start-up
        file_.read(record, ignored);
        stats_.emplace();
        for (const AnswerRow &row : std::as_const(record.rows))
            stats_->add(row);
    }
    return *stats_;
}

} // namespace progress
