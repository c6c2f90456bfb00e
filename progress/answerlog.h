#pragma once
// The answer record as one session keeps it: rows go to the file as they come, and the
// figures (per kana, keystrokes per game, days of practice) are read from the file once someone needs them,
// then kept up to date. The one owner of the file while the game runs.
#include "kanastats.h"
#include "practicedays.h"
#include "progress/record/answerfile.h"
#include "typingspeed.h"

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
    const KanaStats &stats() { return figures().stats; }
    const KeystrokeTally &keystrokes() { return figures().keys; }
    const PracticeDays &days() { return figures().days; }
    // What that reading skipped: its bad lines, and why the file could not be read.
    int badLines() { return figures().badLines; }
    const QString &readError() { return figures().error; }
    const AnswerFile &file() const { return file_; }

private:
    struct Figures {
        KanaStats stats;
        KeystrokeTally keys;
        PracticeDays days;
        int badLines = 0;
        QString error;
        // The same fold for the file read and for rows as they come.
        void add(const AnswerRow &row) { stats.add(row), keys.add(row), days.add(row); }
    };
    Figures &figures();

    AnswerFile file_;
    std::optional<Figures> figures_;
    bool failed_ = false;
};

} // namespace progress
