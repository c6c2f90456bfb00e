#include "onecopy.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
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

bool askToShow(const QString &name, const QDeadlineTimer &deadline)
{
    QLocalSocket socket;
    socket.setSocketOptions(kSocketOption);
    socket.connectToServer(name);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;
    socket.write(kShow);
    while (!socket.canReadLine() && socket.waitForReadyRead(int(deadline.remainingTime()))) {}
    return socket.readLine() == kShown;
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
    for (;;) {
        // Reached by the name given, which may be "." where Qt can't spell the absolute path
        // back (a folder name that isn't UTF-8); the path only names the folder.
        lock_ = lockFolder(folder);
        if (lock_->isLocked()) {
            listen(name);
            return Start::First;
        }
        // Where no file can be made, none of the game's files can be written either (each
        // write makes a file beside its target), so a second copy can do no harm there.
        if (lock_->error() == QLockFile::PermissionError)
            return Start::First;
        if (lock_->error() != QLockFile::LockFailedError) {
            error_ = QCoreApplication::translate("OneCopy", "%1 を作れません。")
                         .arg(u'「' + QDir::toNativeSeparators(QDir(path).filePath(kFolderLockName)) + u'」');
            return Start::Failed;
        }
        if (askToShow(name, deadline))
            return Start::Shown;
        if (deadline.hasExpired())
            return Start::Running;
        QThread::msleep(50);
    }
}

void OneCopy::listen(const QString &name)
{
    server_ = new QLocalServer(this);
    server_->setSocketOptions(kServerOption);
    // Whoever listened before us held the lock, and has ended.
    QLocalServer::removeServer(name);
    // Without it later starts cannot bring this copy forward, and say so themselves instead.
    if (!server_->listen(name))
        return;
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
}

} // namespace platform
