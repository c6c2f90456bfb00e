#include "onecopy.h"

#include "platform/text/textfile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSysInfo>
#include <QThread>
#include <QTimer>
#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {
namespace {

// "show", or "show TOKEN" with the later start's activation token; answered "shown" or
// "behind" (the copy could not take the focus).
const QByteArray kShow = "show";
const QByteArray kShown = "shown\n";
const QByteArray kBehind = "behind\n";
// Longer than any request; anyone on the machine can connect.
constexpr qint64 kLongestRequest = 1024;
constexpr int kRequestWaitMs = 2000;

// One name per folder and player: the folder's copy listens on it.
QString serverName(const QString &folder)
{
    const QByteArray key = (QDir::homePath() + u'\n' + folder).toUtf8();
    return QStringLiteral("kanarinka-")
        + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(20));
}

// Linux keeps such names off the file system: a copy that is killed leaves nothing behind.
#ifdef Q_OS_LINUX
constexpr QLocalServer::SocketOption kServerOption = QLocalServer::AbstractNamespaceOption;
constexpr QLocalSocket::SocketOption kSocketOption = QLocalSocket::AbstractNamespaceOption;
#else
constexpr QLocalServer::SocketOption kServerOption = QLocalServer::UserAccessOption;
constexpr QLocalSocket::SocketOption kSocketOption = QLocalSocket::NoOptions;
#endif

// A token is passed on only as printable ASCII on one line.
bool isToken(const QByteArray &token)
{
    return token.size() < kLongestRequest - kShow.size() - 2
        && std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 0x7f; });
}

enum class Answer { Shown, Behind, Silent, Absent };

// Asks the copy listening on the name to come to the front. Silent: connected, but no answer
// by the deadline (frozen, or still starting); Absent: nobody listens there.
Answer askToShow(const QString &name, const QByteArray &token, const QDeadlineTimer &deadline)
{
    QLocalSocket socket;
    socket.setSocketOptions(kSocketOption);
    socket.connectToServer(name);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return socket.error() == QLocalSocket::SocketTimeoutError ? Answer::Silent : Answer::Absent;
    socket.write(kShow + (token.isEmpty() || !isToken(token) ? QByteArray() : ' ' + token) + '\n');
    while (!socket.canReadLine() && socket.waitForReadyRead(int(deadline.remainingTime()))) {
    }
    const QByteArray answer = socket.readLine();
    if (answer == kShown)
        return Answer::Shown;
    if (answer == kBehind)
        return Answer::Behind;
    return socket.state() == QLocalSocket::ConnectedState ? Answer::Silent : Answer::Absent;
}

// QLockFile keeps no reason for a lock it could not write (a full disk): the file is made
// once more by hand to learn it.
QString whyNotMade(const QString &file)
{
    QFile probe(file);
    if (probe.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        probe.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n');
        probe.flush();
    }
    const QString reason = fileErrorReason(probe);
    if (probe.isOpen()) { // ours: closed first, which can't write what it holds either
        probe.close();
        QFile::remove(file);
    }
    return reason;
}

enum class Holder {
    Live,    // a running process holds the lock
    Unheld,  // nobody holds it: looked at again before it is removed
    Removed, // nobody held it on two looks: removed
    Stuck,   // nobody held it on two looks, and it can't be removed
    Unknown, // the file can't be looked at so (a file system without native locks)
};

#ifdef Q_OS_LINUX
// Whether the kernel's table of locks holds one on the file: a look that takes no lock.
// Nothing where the table can't be read. Lines read "1: FLOCK ADVISORY WRITE 1747
// 08:01:123456 0 EOF", a waiter's with "->" after the number. Only the inode is compared:
// some file systems give stat() another device number than the table, and a false "held"
// only makes the start wait and say the game runs.
std::optional<bool> heldInLockTable(const struct stat &file)
{
    QFile table(QStringLiteral("/proc/locks"));
    if (!table.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray inode = ':' + QByteArray::number(quint64(file.st_ino));
    for (const QByteArray &line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 5 && fields[1] != "->" && fields[5].endsWith(inode))
            return true;
    }
    return false;
}
#endif

// QLockFile keeps a native lock on its file for as long as it holds it, so a live holder is
// known whoever it is (a copy started with another HOME, another account, the launcher),
// and a file nobody holds is nobody's, whatever it says. A copy that has just made its file
// locks it a moment later: the file is removed only when found unheld on two looks. The look
// only asks: a lock taken to look would make that copy's own lock fail, and it would run on
// unprotected. `unheld` names the file found unheld on the last look.
Holder lookAtHolder(const QString &file, QByteArray &unheld)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(file);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return Holder::Unknown;
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat opened, named;
    if (::fstat(fd, &opened) != 0)
        return Holder::Unknown;
#ifdef Q_OS_LINUX
    const std::optional<bool> held = heldInLockTable(opened);
#else
    const std::optional<bool> held;
#endif
    if (held.value_or(false))
        return Holder::Live;
    // Elsewhere a lock taken to look is the only way to ask.
    if (!held && ::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return errno == EWOULDBLOCK ? Holder::Live : Holder::Unknown;
    const QByteArray seen = QByteArray::number(quint64(opened.st_dev)) + ':' + QByteArray::number(quint64(opened.st_ino));
    if (std::exchange(unheld, seen) != seen)
        return Holder::Unheld;
    // Still the file looked at.
    if (::stat(name.constData(), &named) == 0 && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino
        && ::unlink(name.constData()) != 0)
        return Holder::Stuck;
    return Holder::Removed;
#else
    Q_UNUSED(file);
    Q_UNUSED(unheld);
    return Holder::Unknown;
#endif
}

} // namespace

std::unique_ptr<QLockFile> lockFolder(const QString &folder)
{
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(kFolderLockName));
    // Held for the life of the program: only a dead holder makes a lock stale.
    lock->setStaleLockTime(0);
    lock->tryLock(0);
    return lock;
}

OneCopy::OneCopy(QObject *parent) : QObject(parent) {}

OneCopy::~OneCopy() = default;

OneCopy::Start OneCopy::start(const QString &folder, int waitMs, const QByteArray &token)
{
    const QFileInfo info(folder);
    const QString path = info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    const QString name = serverName(path);
    const QDeadlineTimer deadline(waitMs);
    // The folder's name is the truth: only one copy can listen on it, and it is gone with the
    // copy. Whoever takes it holds the folder, whatever the lock file says.
    for (;;) {
        const Answer answer = askToShow(name, token, deadline);
        if (answer == Answer::Shown)
            return Start::Shown;
        if (answer == Answer::Behind)
            return Start::NotShown;
        if (answer == Answer::Absent && listen(name))
            return lock(folder, path, deadline);
        if (deadline.hasExpired())
            return Start::Running;
        QThread::msleep(50);
    }
}

OneCopy::Start OneCopy::lock(const QString &folder, const QString &path, const QDeadlineTimer &deadline)
{
    const QString shown = u'「' + QDir::toNativeSeparators(QDir(path).filePath(kFolderLockName)) + u'」';
    // Reached by the name given, which may be "." where Qt can't spell the absolute path
    // back (a folder name that isn't UTF-8); the path only names the folder.
    const QString file = QDir(folder).filePath(kFolderLockName);
    QByteArray unheld;
    for (;;) {
        lock_ = lockFolder(folder);
        // Where no file can be made, none of the game's files can be written either (each
        // write makes a file beside its target), so a second copy can do no harm there.
        if (lock_->isLocked() || lock_->error() == QLockFile::PermissionError)
            return Start::First;
        if (lock_->error() != QLockFile::LockFailedError) {
            error_ = QCoreApplication::translate("OneCopy", "%1 を作れません: %2").arg(shown, whyNotMade(file));
            return Start::Failed;
        }
        if (!server_) { // no name to go by: only a lock Qt finds stale is taken over
            if (deadline.hasExpired())
                return Start::Running;
            QThread::msleep(50);
            continue;
        }
        if (QFileInfo(file).isDir()) {
            if (QDir(folder).rmdir(kFolderLockName))
                continue;
            error_ =
                QCoreApplication::translate("OneCopy", "%1 を作れません。同じ名前のフォルダがあり、空ではありません。")
                    .arg(shown);
            return Start::Failed;
        }
        qint64 pid = 0;
        QString host, program;
        const bool told = lock_->getLockInfo(&pid, &host, &program);
        // A copy on another machine sharing the folder can't be asked here.
        if (told && !host.isEmpty() && host != QSysInfo::machineHostName())
            return Start::Running;
        const QString stuck =
            QCoreApplication::translate("OneCopy", "%1 を作れません。残っている古いものを消せません。").arg(shown);
        switch (lookAtHolder(file, unheld)) {
        case Holder::Removed:
            continue;
        case Holder::Stuck:
            error_ = stuck;
            return Start::Failed;
        case Holder::Unheld:
            QThread::msleep(50);
            continue;
        case Holder::Live: // a copy that can't be asked (another HOME), or a launcher filling the folder
            break;
        case Holder::Unknown: // no holder to see: a lock naming a live program counts as held
            if (told)
                break;
            if (QFile::remove(file) || !QFileInfo::exists(file))
                continue;
            error_ = stuck;
            return Start::Failed;
        }
        // Waited for, never taken over.
        if (deadline.hasExpired())
            return Start::Running;
        QThread::msleep(50);
    }
}

bool OneCopy::listen(const QString &name)
{
    server_ = new QLocalServer(this);
    server_->setSocketOptions(kServerOption);
    bool listening = server_->listen(name);
#ifndef Q_OS_LINUX
    // A socket file outlives a copy that crashed, and nobody answered on it.
    if (!listening && server_->serverError() == QAbstractSocket::AddressInUseError)
        listening = QLocalServer::removeServer(name) && server_->listen(name);
#endif
    if (!listening) {
        // Another copy took the name first: it is asked again.
        const bool taken = server_->serverError() == QAbstractSocket::AddressInUseError;
        delete std::exchange(server_, nullptr);
        // Otherwise later starts cannot bring this copy forward, and say so themselves.
        return !taken;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            // A later start says what it wants at once; a connection that idles holds a file
            // handle the game's own files may need.
            QTimer::singleShot(kRequestWaitMs, socket, [socket] { socket->abort(); });
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine()) {
                    if (socket->bytesAvailable() > kLongestRequest)
                        socket->abort();
                    return;
                }
                const QByteArray request = socket->readLine().chopped(1);
                if (request == kShow || request.startsWith(kShow + ' ')) {
                    const QByteArray token = request.mid(kShow.size() + 1);
                    const bool shown = !showHandler_ || showHandler_(isToken(token) ? token : QByteArray());
                    socket->write(shown ? kShown : kBehind);
                }
                socket->disconnectFromServer();
            });
        }
    });
    return true;
}

} // namespace platform
