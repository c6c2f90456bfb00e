#include "chmreader.h"

#include <chm_lib.h>

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {
namespace {

// A stored file, or a whole help file, larger than these is taken for damage, not content.
constexpr quint64 kMaxStoredFile = 16 * 1024 * 1024;
constexpr qsizetype kMaxArchive = 64 * 1024 * 1024;

bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

struct Collected {
    QStringList paths; // as stored, in the file's order
    QHash<QString, QByteArray> files;
    qsizetype total = 0;
};

int collectEntry(chmFile *file, chmUnitInfo *info, void *context)
{
    auto &collected = *static_cast<Collected *>(context);
    if (info->length > kMaxStoredFile || collected.total + qsizetype(info->length) > kMaxArchive)
        return CHM_ENUMERATOR_FAILURE;
    QByteArray data(qsizetype(info->length), Qt::Uninitialized);
    if (info->length > 0
        && chm_retrieve_object(file, info, reinterpret_cast<unsigned char *>(data.data()), 0, LONGINT64(info->length))
            != LONGINT64(info->length))
        return CHM_ENUMERATOR_CONTINUE; // an unreadable page is simply not there
    const QString path = QString::fromUtf8(info->path);
    collected.total += data.size();
    collected.paths << path;
    collected.files.insert(path.toLower(), info->length == 0 ? QByteArray("") : data);
    return CHM_ENUMERATOR_CONTINUE;
}

// Runs in the child, a copy of the game with only this thread: chmlib, then Qt's reading of
// each page (no window, no event loop), then the archive down the pipe.
[[noreturn]] void sendArchive(const char *path, int fd)
{
    // A crash here is an expected answer, not a fault of the program: no crash handler
    // inherited from the parent, no core file.
    for (const int crash : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        std::signal(crash, SIG_DFL);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    chmFile *file = chm_open(path);
    if (!file)
        ::_exit(1);
    Collected collected;
    const int result = chm_enumerate(file, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_SPECIAL | CHM_ENUMERATE_FILES,
                                     collectEntry, &collected);
    chm_close(file);
    if (result == 0)
        ::_exit(1);
    const auto archive = ChmArchive::fromFiles(collected.paths, std::move(collected.files));
    if (!archive)
        ::_exit(2);
    const QByteArray stream = archive->toStream();
    ::_exit(writeAll(fd, stream.constData(), stream.size()) ? 0 : 1);
}

} // namespace

ChmReader::ChmReader(QObject *parent) : QObject(parent)
{
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] { finish(false); });
}

ChmReader::~ChmReader()
{
    stopChild();
}

void ChmReader::start(const QString &path)
{
    stopChild();
    archive_.reset();
    stream_.clear();

    const QFileInfo info(path);
    if (!info.exists()) {
        error_ = OpenError::Missing;
        emit finished();
        return;
    }
    // A named pipe or a device in the file's place would hold open() for good.
    if (!info.isFile() && !info.isDir()) {
        error_ = OpenError::NotHelpFile;
        emit finished();
        return;
    }
    QFile probe(path);
    if (info.isDir() || !probe.open(QIODevice::ReadOnly)) {
        error_ = OpenError::Unreadable;
        emit finished();
        return;
    }
    // The signature tells a stray file at once, without a child process.
    if (probe.read(4) != "ITSF") {
        error_ = OpenError::NotHelpFile;
        emit finished();
        return;
    }
    probe.close();

    error_ = OpenError::NotHelpFile; // until the child has sent a whole archive
    const QByteArray name = QFile::encodeName(path);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        emit finished();
        return;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        emit finished();
        return;
    }
    if (child == 0) {
        ::close(fds[0]);
        sendArchive(name.constData(), fds[1]);
    }
    ::close(fds[1]);
    ::fcntl(fds[0], F_SETFL, ::fcntl(fds[0], F_GETFL) | O_NONBLOCK);
    child_ = child;
    pipe_ = fds[0];
    notifier_ = new QSocketNotifier(pipe_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &ChmReader::readAvailable);
    deadline_.start(timeLimitMs);
}

void ChmReader::readAvailable()
{
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(pipe_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (n <= 0) {
            finish(n == 0);
            return;
        }
        stream_.append(buffer, n);
        if (stream_.size() > kMaxArchive) {
            finish(false);
            return;
        }
    }
}

void ChmReader::finish(bool childDone)
{
    bool sent = false;
    if (childDone) {
        // The child closes the pipe only by ending.
        int status = 0;
        while (::waitpid(child_, &status, 0) < 0 && errno == EINTR) {
        }
        child_ = -1;
        sent = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    stopChild();
    if (sent)
        archive_ = ChmArchive::fromStream(stream_);
    stream_.clear();
    error_ = archive_ ? OpenError::None : OpenError::NotHelpFile;
    emit finished();
}

void ChmReader::stopChild()
{
    deadline_.stop();
    if (notifier_) {
        // This may run from the notifier's own signal.
        notifier_->setEnabled(false);
        notifier_->deleteLater();
        notifier_ = nullptr;
    }
    if (pipe_ >= 0)
        ::close(pipe_);
    pipe_ = -1;
    if (child_ > 0) {
        ::kill(child_, SIGKILL);
        while (::waitpid(child_, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    child_ = -1;
}

} // namespace platform
