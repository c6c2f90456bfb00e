#include "answerlog.h"

#include <QCoreApplication>

namespace progress {

QString AnswerLog::add(const AnswerRow &row)
{
    if (figures_)
        figures_->add(row);
    QString error;
    if (file_.append(row, error) || std::exchange(failed_, true))
        return {};
    return error
        + QCoreApplication::translate("AnswerRecord",
                                      "\nこのあとの答えも記録できないかもしれません。ゲームはそのまま続けられます。");
}

AnswerLog::Figures &AnswerLog::figures()
{
    if (!figures_) {
        // Assigned, not emplaced: Clang can't default-construct a nested struct with member
        // initialisers from inside its own class.
        figures_ = Figures();
        Figures &f = *figures_;
        file_.read([&f](const AnswerRow &row) { f.add(row); }, f.badLines, f.error);
    }
    return *figures_;
}

} // namespace progress
