#include "answerlog.h"

#include <QCoreApplication>

namespace progress {

QString AnswerLog::add(const AnswerRow &row)
{
    if (figures_)
        figures_->stats.add(row), figures_->keys.add(row);
    QString error;
    if (file_.append(row, error) || std::exchange(failed_, true))
        return {};
    return error + QCoreApplication::translate("AnswerRecord", "\nこのあとの答えも記録できないかもしれません。ゲームはそのまま続けられます。");
}

AnswerLog::Figures &AnswerLog::figures()
{
    if (!figures_) {
        Figures &f = figures_.emplace();
        file_.read([&f](const AnswerRow &row) { f.stats.add(row), f.keys.add(row); }, f.badLines, f.error);
    }
    return *figures_;
}

} // namespace progress
