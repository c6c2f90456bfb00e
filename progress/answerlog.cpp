#include "answerlog.h"

#include <QCoreApplication>

namespace progress {

QString AnswerLog::add(const AnswerRow &row)
{
    if (stats_)
        stats_->add(row);
    QString error;
    if (file_.append(row, error) || std::exchange(failed_, true))
        return {};
    return error + QCoreApplication::translate("AnswerRecord", "\nこのあとの答えも記録できないかもしれません。ゲームはそのまま続けられます。");
}

const KanaStats &AnswerLog::stats()
{
    if (!stats_) {
        stats_.emplace();
        int badLines = 0;
        QString ignored; // a file that cannot be read was told of at start-up
        file_.read([this](const AnswerRow &row) { stats_->add(row); }, badLines, ignored);
    }
    return *stats_;
}

} // namespace progress
