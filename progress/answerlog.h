#pragma once
// The answer record as one session keeps it: rows go to the file as they come, and the
// per-kana figures are read from the file once someone needs them, then kept up to date.
#include "answerfile.h"
#include "kanastats.h"

namespace progress {

class AnswerLog {
public:
    explicit AnswerLog(QString fileName = kAnswerRecordFile) : file_(std::move(fileName)) {}

    // At start-up; what to tell the player, empty when nothing.
    QString start(const QDateTime &now) { return file_.check(now); }
    // Appends a row. The first failure of the session comes back as a message; later ones
    // are silent, and the game goes on either way.
    QString add(const AnswerRow &row);
    // The figures of every answer so far, read from the file the first time.
    const KanaStats &stats();
    const AnswerFile &file() const { return file_; }

private:
    AnswerFile file_;
    std::optional<KanaStats> stats_;
    bool failed_ = false;
};

} // namespace progress
