#include "meaningsindex.h"

#include "edictline.h"
#include "platform/kana/kana.h"
#include "platform/text/textfile.h"

#include <QFile>
#include <QStringTokenizer>
#include <algorithm>

namespace meanings {
namespace {

constexpr qint64 kChunkBytes = 1 << 20;
// A reading shared by hundreds of lines (こう) is never read whole: common ones come first.
constexpr int kLinesReadAtMost = 12;
constexpr quint32 kMaxLineBytes = 1 << 20;
constexpr quint32 kSpanBytes = 16 << 10;

QStringDecoder eucJp()
{
    return QStringDecoder("EUC-JP", QStringDecoder::Flag::Stateless);
}

} // namespace

size_t readingKey(QStringView hiragana)
{
    return qHash(hiragana, size_t(0x6b616e61));
}

MeaningsIndex::MeaningsIndex(QString fileName, std::stop_token stop) : fileName_(std::move(fileName)), decoder_(eucJp())
{
    read(stop);
    batch_ = {};
    pending_ = {};
}

MeaningsIndex::~MeaningsIndex() = default;

void MeaningsIndex::read(std::stop_token stop)
{
    QFile file(fileName_);
    if (!file.exists()) {
        state_ = State::Missing;
        return;
    }
    if (!decoder_.isValid() || !platform::openRegularFile(file, QIODevice::ReadOnly) || file.size() >= qint64(1) << 32) {
        state_ = State::Unreadable;
        return;
    }
    // The file names itself on its first line.
    const QByteArray head = file.readLine(4096);
    if (!head.contains("/EDICT")) {
        state_ = State::NotEdict;
        return;
    }
    // The unfinished line is kept for the next chunk, up to kMaxLineBytes: a longer one is
    // no entry, so its bytes are passed over to its end and never kept or scanned again.
    QByteArray buffer;
    qint64 bufferOffset = head.size();
    bool skipping = false;
    for (;;) {
        if (stop.stop_requested()) {
            state_ = State::Unreadable;
            lines_.clear();
            return;
        }
        const qsizetype kept = buffer.size();
        buffer.resize(kept + kChunkBytes);
        const qint64 got = file.read(buffer.data() + kept, kChunkBytes);
        if (got < 0) {
            state_ = State::Unreadable;
            lines_.clear();
            return;
        }
        buffer.resize(kept + got);
        const bool last = got == 0;
        qsizetype from = kept; // only the new bytes are searched
        if (skipping) {
            const qsizetype lineEnd = buffer.indexOf('\n');
            const qsizetype skipped = lineEnd < 0 ? buffer.size() : lineEnd + 1;
            buffer.remove(0, skipped);
            bufferOffset += skipped;
            skipping = lineEnd < 0;
            from = 0;
        }
        const qsizetype lastEnd = QByteArrayView(buffer).sliced(from).lastIndexOf('\n');
        const qsizetype end = last ? buffer.size() : lastEnd < 0 ? 0 : from + lastEnd + 1;
        addChunk(QByteArrayView(buffer).first(end), bufferOffset);
        buffer.remove(0, end);
        bufferOffset += end;
        if (buffer.size() >= kMaxLineBytes) {
            ++badLines_;
            skipping = true;
            bufferOffset += buffer.size();
            buffer.clear();
        }
        if (last)
            break;
    }
    std::ranges::sort(lines_, [](const Line &a, const Line &b) {
        if (a.key != b.key)
            return a.key < b.key;
        if (a.common != b.common)
            return a.common > b.common;
        return a.offset < b.offset;
    });
    lines_.shrink_to_fit();
    state_ = lines_.empty() ? State::NotEdict : State::Ready;
}

// The readings of a chunk's lines are decoded in one go, joined by line ends, and made
// hiragana the way the game's words are.
void MeaningsIndex::addChunk(QByteArrayView chunk, qint64 chunkOffset)
{
    batch_.clear();
    pending_.clear();
    for (qsizetype pos = 0; pos < chunk.size();) {
        qsizetype end = chunk.indexOf('\n', pos);
        if (end < 0)
            end = chunk.size();
        const QByteArrayView line = chunk.sliced(pos, end - pos);
        const EdictKeys keys = scanEdictLine(line);
        if (!keys.reading.isEmpty() && line.size() < kMaxLineBytes && !keys.reading.contains('\r')) {
            batch_.append(keys.reading);
            batch_.append('\n');
            pending_.push_back({0, quint32(chunkOffset + pos), quint32(line.size()), keys.common});
        } else if (!line.trimmed().isEmpty()) {
            ++badLines_;
        }
        pos = end + 1;
    }
    QStringDecoder decoder = eucJp();
    QString readings = decoder.decode(batch_);
    if (decoder.hasError()) {
        // One by one: a reading that is not EUC-JP is left out, the others still count.
        readings.clear();
        for (qsizetype pos = 0; pos < batch_.size();) {
            const qsizetype end = batch_.indexOf('\n', pos);
            decoder.resetState();
            const QString text = decoder.decode(QByteArrayView(batch_).sliced(pos, end - pos));
            readings += (decoder.hasError() ? QString() : text) + u'\n';
            pos = end + 1;
        }
    }
    readings = platform::toWideHiragana(readings);
    size_t i = 0;
    for (const QStringView reading : QStringTokenizer(readings, u'\n', Qt::KeepEmptyParts)) {
        if (i >= pending_.size())
            break;
        Line line = pending_[i++];
        if (reading.isEmpty()) {
            ++badLines_;
            continue;
        }
        line.key = readingKey(reading);
        lines_.push_back(line);
    }
}

QList<Meaning> MeaningsIndex::lookup(QStringView reading) const
{
    QList<Meaning> meanings;
    if (state_ != State::Ready || reading.isEmpty())
        return meanings;
    const size_t key = readingKey(reading);
    auto it = std::ranges::lower_bound(lines_, key, {}, &Line::key);
    if (it == lines_.end() || it->key != key)
        return meanings;
    if (!file_) {
        file_ = std::make_unique<QFile>(fileName_);
        if (!platform::openRegularFile(*file_, QIODevice::ReadOnly | QIODevice::Unbuffered))
            return meanings;
    }
    const auto last = std::find_if(it, std::min(it + kLinesReadAtMost, lines_.end()),
                                   [key](const Line &line) { return line.key != key; });
    // A reading's lines mostly stand together in the file: one read takes them all.
    quint32 from = it->offset, to = it->offset + it->size;
    for (auto line = it; line != last; ++line) {
        from = std::min(from, line->offset);
        to = std::max(to, line->offset + line->size);
    }
    QByteArray span;
    if (to - from <= kSpanBytes && file_->seek(from)) {
        span.resize(to - from);
        if (file_->read(span.data(), span.size()) != span.size())
            span.clear();
    }
    QByteArray bytes;
    for (; it != last; ++it) {
        QByteArrayView line;
        if (!span.isEmpty()) {
            line = QByteArrayView(span).sliced(it->offset - from, it->size);
        } else {
            bytes.resize(it->size);
            if (!file_->seek(it->offset) || file_->read(bytes.data(), it->size) != it->size)
                break;
            line = bytes;
        }
        decoder_.resetState();
        const QString text = decoder_.decode(line);
        // The file may have changed since it was read: only a line of this reading counts.
        const std::optional<EdictEntry> entry = decoder_.hasError() ? std::nullopt : parseEdictLine(text);
        if (!entry || entry->reading != reading)
            continue;
        auto same = std::ranges::find(meanings, entry->glosses, &Meaning::glosses);
        if (same == meanings.end()) {
            if (meanings.size() == kMeaningsShown)
                continue;
            meanings.append({{}, entry->glosses, entry->common});
            same = meanings.end() - 1;
        }
        if (!entry->written.isEmpty() && same->written.size() < kWrittenFormsKept
            && !same->written.contains(entry->written))
            same->written.append(entry->written);
    }
    return meanings;
}

} // namespace meanings
