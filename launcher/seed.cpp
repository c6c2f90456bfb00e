#include "seed.h"

#include "platform/text/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <algorithm>

namespace launcher {
namespace {

QString quoted(const QString &path)
{
    return u'「' + QDir::toNativeSeparators(path) + u'」';
}

bool readAll(const QString &path, QByteArray &bytes, QString &error)
{
    QFile file(path);
    if (!platform::openRegularFile(file, QIODevice::ReadOnly)) {
        error = QCoreApplication::translate("Launcher", "既定のファイル %1 を読めません: %2")
                    .arg(quoted(path), platform::fileErrorReason(file));
        return false;
    }
    bytes = file.readAll();
    return true;
}

constexpr QFileDevice::Permissions kFilePermissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner
    | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;

// Puts a new file in place whole or not at all, and never over a file that appeared
// meanwhile: the bytes go to a temporary file that is then renamed without replacing.
bool createFile(const QString &path, const QByteArray &bytes, QString &error)
{
    QTemporaryFile temp(QFileInfo(path).dir().filePath(QStringLiteral(".kanarinka-XXXXXX")));
    temp.setAutoRemove(false);
    const bool written = temp.open() && temp.write(bytes) == bytes.size() && temp.flush();
    const QString reason = platform::fileErrorReason(temp);
    temp.close();
    // The installed defaults may be read-only; the player's copy must stay writable.
    if (written && temp.setPermissions(kFilePermissions) && temp.rename(path))
        return true;
    error = QCoreApplication::translate("Launcher", "%1 を作れません: %2")
                .arg(quoted(path), written ? platform::fileErrorReason(temp) : reason);
    if (!temp.fileName().isEmpty()) // none when it could not be made
        QFile::remove(temp.fileName());
    return false;
}

bool replaceFile(const QString &path, const QByteArray &bytes, QString &error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    error = QCoreApplication::translate("Launcher", "%1 を書き換えられません: %2")
                .arg(quoted(path), platform::fileErrorReason(file));
    return false;
}

// The file the game would open for `name` in `dir`, whatever its letter case.
QString existingFile(const QString &dir, const QString &name)
{
    const QString path = platform::resolveFileName(QDir(dir).filePath(name));
    return QFileInfo(path).exists() ? path : QString();
}

} // namespace

QString whyNoFileCanBeMade(const QString &dataDir)
{
    if (QFileInfo(dataDir).isWritable())
        return {};
    // A name the folder does not hold: the reason is the folder's, not a file's.
    const QFile probe(QDir(dataDir).filePath(QStringLiteral(".kanarinka-seed")));
    return QCoreApplication::translate("Launcher", "データフォルダ %1 にファイルを作れません: %2")
        .arg(quoted(dataDir), platform::fileErrorReason(probe));
}

bool lacksPlayerFile(const QString &dataDir)
{
    return std::any_of(kPlayerFiles.begin(), kPlayerFiles.end(),
                       [&](const QString &name) { return existingFile(dataDir, name).isEmpty(); });
}

QStringList seedDataFolder(const QString &defaultsDir, const QString &dataDir)
{
    QStringList problems;
    const QDir defaults(defaultsDir);
    const QDir data(dataDir);
    QString error;
    if (!defaults.exists())
        return {
            QCoreApplication::translate("Launcher", "既定のファイルのフォルダ %1 がありません。").arg(quoted(defaultsDir))};
    // Told once for the folder, not once for each file it would not take.
    const QString refused = whyNoFileCanBeMade(dataDir);
    const auto create = [&](const QString &name, const QByteArray &bytes) {
        if (!refused.isEmpty()) {
            if (!problems.contains(refused))
                problems << refused;
        } else if (!createFile(data.filePath(name), bytes, error)) {
            problems << error;
        }
    };

    for (const QString &name : kPlayerFiles) {
        if (!existingFile(dataDir, name).isEmpty())
            continue;
        const QString source = defaults.filePath(name);
        QByteArray bytes;
        if (!QFileInfo(source).isFile())
            problems << QCoreApplication::translate("Launcher", "既定のファイル %1 がありません。").arg(quoted(source));
        else if (!readAll(source, bytes, error))
            problems << error;
        else
            create(name, bytes);
    }

    const QStringList programFiles = defaults.entryList(QDir::Files, QDir::Name);
    for (const QString &name : programFiles) {
        if (kPlayerFiles.contains(name, Qt::CaseInsensitive))
            continue;
        QByteArray bytes;
        if (!readAll(defaults.filePath(name), bytes, error)) {
            problems << error;
            continue;
        }
        const QString current = existingFile(dataDir, name);
        if (current.isEmpty()) {
            create(name, bytes);
            continue;
        }
        QFile file(current);
        if (platform::openRegularFile(file, QIODevice::ReadOnly) && file.readAll() == bytes)
            continue;
        file.close();
        if (!replaceFile(current, bytes, error))
            problems << error;
    }
    return problems;
}

} // namespace launcher
