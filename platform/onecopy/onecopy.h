#pragma once
// One running copy of the game per data folder: the game's files were made for one writer.
// The first copy holds a lock file in the folder for its whole life and listens for later
// starts; a later start touches no file, asks the running copy to come to the front and ends.
#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QDeadlineTimer;
class QLocalServer;
class QLockFile;

namespace platform {

// Hidden, and plainly the game's own to a player who finds it.
inline const QString kFolderLockName = QStringLiteral(".kanarinka.lock");

// Tries once to take the lock of `folder`; the caller reads isLocked() and error(). A lock
// left by a program that has ended (killed, crashed) is taken over; one of a live program
// is not: OneCopy, which asks the folder's copy, decides about those.
std::unique_ptr<QLockFile> lockFolder(const QString &folder);

class OneCopy : public QObject {
    Q_OBJECT
public:
    enum class Start {
        First,    // this copy has the folder
        Shown,    // a copy running there was asked to come to the front, and did
        Running,  // a copy running there did not answer, or can't be asked (another HOME)
        Failed,   // no lock file could be made: error()
        NotShown, // a copy running there answered, but could not come to the front
    };
    // What the running copy does when a later start asks for it: `token` is that start's
    // activation token (the desktop's permission to take the focus), empty without one.
    // Returns whether it could come to the front.
    using ShowHandler = std::function<bool(const QByteArray &token)>;

    explicit OneCopy(QObject *parent = nullptr);
    ~OneCopy() override;

    // Waits up to `waitMs` while the folder's holder is a copy still starting or a launcher
    // filling the folder. A lock that nobody holds is taken over whatever it says; a live
    // holder's never is. `token` goes with the request to show.
    Start start(const QString &folder, int waitMs = 3000, const QByteArray &token = {});
    QString error() const { return error_; }

    // Without a handler a request to show is answered as done.
    void setShowHandler(ShowHandler handler) { showHandler_ = std::move(handler); }

private:
    // False when another copy listens there already.
    bool listen(const QString &name);
    Start lock(const QString &folder, const QString &path, const QDeadlineTimer &deadline);

    std::unique_ptr<QLockFile> lock_;
    QLocalServer *server_ = nullptr;
    ShowHandler showHandler_;
    QString error_;
};

} // namespace platform
