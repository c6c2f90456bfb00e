#pragma once
#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace files {

inline const QString kHistoryFile = QStringLiteral("履歴.txt");
// The grid's row counter is 16-bit and also counts the header row.
constexpr int kMaxHistoryRecords = 32766;

// The nine fields of one saved game as the grid shows them: fields 4 to 6 are read as
// 16-bit numbers and kept as their decimal text, the others as read.
using HistoryRecord = std::array<QString, 9>;

// Records are the next nine values wherever the lines break. Refuses a record cut short,
// a field 4-6 that is not a 16-bit number and more than kMaxHistoryRecords records.
bool parseHistory(QStringView text, const QString &fileName, QList<HistoryRecord> &records, QString &error);
bool readHistory(const QString &fileName, QList<HistoryRecord> &records, QString &error);

// How many records the file holds, a record cut short counted too; the values are not checked.
bool countHistory(const QString &fileName, int &count, QString &error);
// The message that refuses a save to a file holding kMaxHistoryRecords records.
QString historyFullMessage(const QString &fileName);

// The values of one saved game.
struct HistoryEntry {
    QString date;  // yyyy/mm/dd
    QString time;  // hh:nn:ss
    int words = 0; // dictionary size after the game
    int ok = 0;
    int ng = 0;
    int moji = 0;
    QString accuracy; // 0.0%
    QString speed;    // 0.00/秒
    QString playTime; // e.g. 60秒
};

// The play time as a record and the grid write it: "60秒".
QString formatPlayTime(int seconds);

// "2010/04/01","13:05:09",812,25,3,98,"89.3%","1.63/秒","60秒" CR LF
QString formatHistoryRecord(const HistoryEntry &entry);
bool appendHistoryRecord(const QString &fileName, const HistoryEntry &entry, QString &error);
// Leaves an empty file, created when missing.
bool clearHistory(const QString &fileName, QString &error);

// The saved games in memory, read once for every view of them: the file's bytes and where
// each record begins. Every record was checked when it was read; a value becomes a string
// only when it is asked for.
class History {
public:
    // Reads the file, or its bytes, which must be CP932, checking every record as
    // readHistory does; on failure the history stays as it was.
    bool read(const QString &fileName, QString &error);
    bool parse(const QByteArray &bytes, const QString &fileName, QString &error);

    int count() const { return int(starts_.size()) - 1; }
    // Field 0-8 of a record (0-based), as HistoryRecord holds it.
    QString field(int record, int field) const;
    // Field 8 read back as seconds ("60秒", or bare digits); none when it is neither.
    std::optional<int> playSeconds(int record) const;
    // Adds a saved game as appendHistoryRecord wrote it.
    void append(const HistoryEntry &entry);
    void clear();

private:
    QByteArray bytes_;
    QList<qsizetype> starts_{0}; // record i lies in bytes [starts_[i], starts_[i + 1])
};

} // namespace files
