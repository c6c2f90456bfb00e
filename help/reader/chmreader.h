#pragma once
// Reads a compiled help file in a child process of its own, without holding up the caller's
// event loop: chmlib trusts the sizes and offsets it finds in the file, and checking the
// pages takes Qt's own reading of each. A crash, a hang or a file beyond the limits ends in
// a damaged-file answer, never in the game.
#include "chmarchive.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <memory>

#include <sys/types.h>

class QSocketNotifier;

namespace platform {

class ChmReader : public QObject {
    Q_OBJECT
public:
    using OpenError = ChmArchive::OpenError;

    // Reading our own help takes milliseconds; a reader still busy after this has lost its way.
    static constexpr int timeLimitMs = 4000;

    explicit ChmReader(QObject *parent = nullptr);
    ~ChmReader() override;
    ChmReader(const ChmReader &) = delete;
    ChmReader &operator=(const ChmReader &) = delete;

    // Starts reading `path`, abandoning any read under way; finished() follows, at once for
    // a file that is missing or no help file at all.
    void start(const QString &path);
    bool isReading() const { return child_ > 0; }

    // After finished(): the archive, or null with the reason in error().
    std::unique_ptr<ChmArchive> takeArchive() { return std::move(archive_); }
    OpenError error() const { return error_; }

signals:
    void finished();

private:
    void readAvailable();
    void finish(bool childDone);
    void stopChild();

    pid_t child_ = -1;
    int pipe_ = -1;
    QSocketNotifier *notifier_ = nullptr;
    QTimer deadline_;
    QByteArray stream_;
    std::unique_ptr<ChmArchive> archive_;
    OpenError error_ = OpenError::None;
};

} // namespace platform
