#pragma once
// The answer record: one line for every answer judged in play, kept in a file of its own
// beside the game's three. UTF-8, unlike its CP932 siblings: it holds each answer as it was
// judged, and a player can type characters Shift_JIS has no code for. A first line names
// the format and its version; bad lines are skipped and counted, never fatal.
#include "game/gameevents.h"
#include "recordfile.h"

#include <QChar>
#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace progress {

inline const QString kAnswerRecordFile = QStringLiteral("回答記録.txt");
constexpr int kAnswerRecordVersion = 1;

// Whether the game counts it as a mistake: the answer had no place after the expected kana.
bool isFailure(game::AnswerVerdict verdict);

struct Keystrokes {
    int all = 0;        // every key that typed or erased, Backspaces included
    int backspaces = 0; // Backspace and Delete
    bool operator==(const Keystrokes &) const = default;
};

struct AnswerRow {
    QString game;   // when its game started, "yyyy/MM/dd hh:mm:ss": it names the game
    QChar expected; // the kana the answer had to start with, small kana made large
    QString answer;
    game::AnswerVerdict verdict = game::AnswerVerdict::Accepted;
    qint64 stallMs = 0;             // from the word appearing (or the last answer) to the first key
    qint64 typingMs = 0;            // from the first key to Enter
    std::optional<Keystrokes> keys; // unknown when an input method took the keys
    bool operator==(const AnswerRow &) const = default;
};

QString gameName(const QDateTime &start);

// A date and time as the files write them, with no time zone: looking one up costs more
// than reading a whole row.
struct WallTime {
    QDate date;
    QTime time;
};
// "yyyy/MM/dd hh:mm:ss" read back; nothing when the text is not one.
std::optional<WallTime> readWallTime(QStringView text);

// The first line of every record file.
QString answerRecordHeader();
// "2024/05/01 13:05:09","る","るびい","ok",1840,920,7,1 CR LF; unknown keystrokes are left empty.
QString formatAnswerRow(const AnswerRow &row);
// One line without its line end; nothing when it is not a row of this format.
std::optional<AnswerRow> parseAnswerRow(QStringView line);
// The same into `row`, whose strings are reused where they can be; false when it is no row.
bool parseAnswerRow(QStringView line, AnswerRow &row);

struct AnswerFileContents {
    QList<AnswerRow> rows; // in the order they were written
    int badLines = 0;
};

// The file itself. It is never needed to play: every failure is told once, in words for
// the player, and the game goes on.
class AnswerFile {
public:
    using State = RecordFile::State;
    // Past this size the file is cut to its newest kKeepBytes, whole games, at the next start.
    static constexpr qint64 kMaxBytes = 8 << 20;
    static constexpr qint64 kKeepBytes = 4 << 20;

    explicit AnswerFile(QString name = kAnswerRecordFile);
    const QString &name() const { return file_.name(); }

    // At start-up: a file that is not an answer record is renamed (set aside) and a new one
    // begun, an oversized one is cut. Returns what to tell the player, empty when all is well.
    // After a file that cannot be used, recording() is false.
    QString check(const QDateTime &now);
    bool recording() const { return recording_; }

    // Appends one row (the first line too when the file is new); crash-safe.
    bool append(const AnswerRow &row, QString &error);

    // Hands every row there is to `take`, in order, and counts the bad lines; `error` tells
    // why when the state is not Ready or Missing.
    State read(const std::function<void(const AnswerRow &)> &take, int &badLines, QString &error) const;
    // Every row, kept.
    State read(AnswerFileContents &record, QString &error) const;

private:
    bool cut(const QByteArray &bytes, QString &error);

    RecordFile file_;
    bool recording_ = true;
};

} // namespace progress
