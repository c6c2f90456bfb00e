#pragma once
#include <QDateTime>
#include <QString>

namespace files {

// How many items (words, records) a file holds, counted again only when the file's size or
// modification time is not what it was at the last count: our own appends keep the number up
// to date, an edit by hand or another program makes it count afresh. So a limit can be checked
// before every append without reading the whole file each time.
class KnownCount {
public:
    using Counter = bool (*)(const QString &fileName, int &count, QString &error);
    KnownCount(QString fileName, Counter counter);

    // False, with the message, when the file cannot be read. A missing file holds nothing.
    bool get(int &count, QString &error);
    // The same, counted afresh whatever the file's stamp says.
    bool recount(int &count, QString &error);
    // After items were appended to the file (or taken out of it, `by` below 0) by its owner.
    void changed(int by);

private:
    struct Stamp {
        qint64 size = -1; // -1: no file
        QDateTime modified;
        bool operator==(const Stamp &) const = default;
    };
    Stamp stamp() const;

    QString fileName_;
    Counter counter_;
    Stamp counted_;
    bool known_ = false;
    int count_ = 0;
};

} // namespace files
