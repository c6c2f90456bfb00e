#pragma once
// What the words mean, from the EDICT file Debian's edict package installs. The index keeps
// only where each line lies and a hash of its reading; a lookup reads back the few lines it
// needs, so the 19 MB file costs a few MB in memory.
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <memory>
#include <stop_token>
#include <vector>

class QFile;

namespace meanings {

inline const QString kEdictFile = QStringLiteral("/usr/share/edict/edict");

// One word of a reading: the ways it is written and what it means.
struct Meaning {
    QStringList written; // up to two; empty for a word written in kana
    QStringList glosses; // up to two
    bool common = false;
    bool operator==(const Meaning &) const = default;
};

constexpr int kMeaningsShown = 3;
constexpr int kWrittenFormsKept = 2;

class MeaningsIndex {
public:
    enum class State { Ready, Missing, Unreadable, NotEdict };

    // Reads the whole file; slow (a few hundred ms), so not on the GUI thread. A stop asked
    // for ends the reading within a chunk, and the index stays empty.
    explicit MeaningsIndex(QString fileName = kEdictFile, std::stop_token stop = {});
    ~MeaningsIndex();

    State state() const { return state_; }
    qsizetype entries() const { return lines_.size(); }
    qsizetype badLines() const { return badLines_; }

    // Up to kMeaningsShown words read so, common ones first, lines that share their glosses
    // as one word. Reads the file: use from one thread at a time.
    QList<Meaning> lookup(QStringView reading) const;

private:
    struct Line {
        size_t key;     // hash of the reading in hiragana
        quint32 offset; // in the file
        quint32 size : 31;
        quint32 common : 1;
    };
    void read(std::stop_token stop);
    void addChunk(QByteArrayView chunk, qint64 chunkOffset);

    QString fileName_;
    State state_ = State::Missing;
    std::vector<Line> lines_;
    qsizetype badLines_ = 0;
    // Scratch for building, then for lookups.
    QByteArray batch_;
    std::vector<Line> pending_;
    mutable std::unique_ptr<QFile> file_;
    mutable QStringDecoder decoder_;
};

size_t readingKey(QStringView hiragana);

} // namespace meanings
