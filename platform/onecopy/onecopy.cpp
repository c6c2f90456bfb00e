#include "onecopy.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSysInfo>
#include <QThread>

namespace platform {
namespace {

const QByteArray kShow = "show\n";
const QByteArray kShown = "shown\n";

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

enum class Answer { Shown, Silent, Absent };

// Asks the copy listening on the name to come to the front. Silent: connected, but no answer
// by the deadline (frozen, or still starting); Absent: nobody listens there.
Answer askToShow(const QString &name, const QDeadlineTimer &deadline)
{
    QLocalSocket socket;
    socket.setSocketOptions(kSocketOption);
    socket.connectToServer(name);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return socket.error() == QLocalSocket::SocketTimeoutError ? Answer::Silent : Answer::Absent;
    socket.write(kShow);
    while (!socket.canReadLine() && socket.waitForReadyRead(int(deadline.remainingTime()))) {
    }
    if (socket.readLine() == kShown)
        return Answer::Shown;
    return socket.state() == QLocalSocket::ConnectedState ? Answer::Silent : Answer::Absent;
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

OneCopy::Start OneCopy::start(const QString &folder, int waitMs)
{
    const QFileInfo info(folder);
    const QString path = info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    const QString name = serverName(path);
    const QDeadlineTimer deadline(waitMs);
    // The folder's name is the truth: only one copy can listen on it, and it is gone with the
    // copy. Whoever takes it holds the folder, whatever the lock file says.
    for (;;) {
        const Answer answer = askToShow(name, deadline);
        if (answer == Answer::Shown)
            return Start::Shown;
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
    for (;;) {
        lock_ = lockFolder(folder);
        // Where no file can be made, none of the game's files can be written either (each
        // write makes a file beside its target), so a second copy can do no harm there.
        if (lock_->isLocked() || lock_->error() == QLockFile::PermissionError)
            return Start::First;
        if (lock_->error() != QLockFile::LockFailedError) {
            error_ = QCoreApplication::translate("OneCopy", "%1 を作れません。").arg(shown);
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
        // A live holder that does not listen is a launcher filling the folder, for a moment;
        // an empty or damaged lock, or a process id reused, is nobody's.
        if (told && !deadline.hasExpired()) {
            QThread::msleep(50);
            continue;
        }
        if (!QFile::remove(file) && QFileInfo::exists(file)) {
            error_ =
                QCoreApplication::translate("OneCopy", "%1 を作れません。残っている古いものを消せません。").arg(shown);
            return Start::Failed;
        }
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
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine())
                    return;
                if (socket->readLine() == kShow) {
                    emit showRequested();
                    socket->write(kShown);
                }
                socket->disconnectFromServer();
            });
        }
    });
    return true;
}

} // namespace platform
