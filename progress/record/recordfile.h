#pragma once
// A record file of this program's own, beside the game's three: UTF-8, CR LF, a first line
// that names its format and version, rows only ever appended. What the answer record and the
// review list share; each tells the player about its own file in its own words.
#include <QDateTime>
#include <QLatin1StringView>
#include <QString>
#include <QStringList>
#include <functional>

namespace progress {

class RecordFile {
public:
    enum class State { Ready, Missing, NotARecord, Newer, Unreadable };

    RecordFile(QString name, QLatin1StringView format, int version)
        : name_(std::move(name)), format_(format), version_(version)
    {
    }
    const QString &name() const { return name_; }
    // The first line, with its line end.
    QString header() const;

    struct Check {
        State state = State::Ready; // Ready also for a file that is missing or was begun anew
        qint64 size = 0;            // of a file that is Ready
        QString aside;              // the name a file that is no record was given
        QString reason;             // why it could not be opened or renamed
        bool unsettled = false;     // an append a crash cut short could not be undone; `reason` says why
        qint64 version = 0;         // the version the first line of a Ready file names
    };
    // At start-up, from the first line only, once an append a crash cut short is undone. A
    // file of blanks is removed, so the next append begins it anew; one that is no record of
    // this format is renamed aside.
    Check check(const QDateTime &now) const;

    // Appends whole lines, the first line too when the file is new; crash-safe.
    bool append(const QString &lines, QString &error) const;

    // Hands each line after the first, without its line end, to `line`, which says whether it
    // was a row; lines that are no row or no UTF-8 are counted in `badLines`.
    State read(const std::function<bool(QStringView)> &line, int &badLines, QString &error) const;

private:
    State headerState(QByteArrayView firstLine, qint64 *version = nullptr) const;

    QString name_;
    QLatin1StringView format_;
    int version_;
};

// The values of one line, at most `limit`, as the value reader gives them.
QStringList lineValues(QStringView line, int limit);

// A text value as rows write it: without its quote or a line end, which would end it early.
QString recordText(QString text);

// A file's name as messages quote it: 「name」.
QString quotedName(const QString &name);

} // namespace progress
