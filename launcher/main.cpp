// Starts the game in the player's data folder, after seeding the folder with any default
// file it lacks. The game reads its files from its working folder and takes no arguments;
// this is what gives it a working folder of the player's own.
#include "seed.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>
#else
#include <QProcess>
#endif

namespace {

struct Layout {
    QString game;
    QString defaults;
};

QString quoted(const QString &path)
{
    return u'「' + QDir::toNativeSeparators(path) + u'」';
}

void report(const QString &message)
{
    QTextStream(stderr) << "kanarinka: " << message << Qt::endl;
}

// The game and its default files sit next to the launcher in the build tree, and where the
// install put them relative to the launcher's folder otherwise. Installed, the launcher
// itself is called "kanarinka" like the game, so it must not take itself for the game.
std::optional<Layout> findLayout(QStringList &searched)
{
    const QDir here(QCoreApplication::applicationDirPath());
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    const Layout candidates[] = {
        {here.filePath(QStringLiteral(KANARINKA_GAME_FILE)), here.filePath(QStringLiteral("data/defaults"))},
        {here.filePath(QStringLiteral(KANARINKA_GAME_FROM_BIN)),
         here.filePath(QStringLiteral(KANARINKA_DEFAULTS_FROM_BIN))},
    };
    for (const Layout &candidate : candidates) {
        const QFileInfo game(candidate.game);
        searched << QDir::cleanPath(candidate.game);
        if (game.isFile() && game.isExecutable() && game.canonicalFilePath() != self)
            return Layout{game.canonicalFilePath(), QDir::cleanPath(candidate.defaults)};
    }
    return std::nullopt;
}

// The launcher's own arguments go on to the game, so Qt's options (-platform ...) still work.
int runGame(const QString &game, const QString &folder, char *argv[])
{
#ifdef Q_OS_UNIX
    // Replacing the launcher keeps one process: signals, the exit status and the desktop's
    // start-up notification all reach the game directly.
    if (!QDir::setCurrent(folder)) {
        report(QStringLiteral("データフォルダ %1 に移れません。").arg(quoted(folder)));
        return 1;
    }
    const QByteArray program = QFile::encodeName(game);
    std::vector<char *> args{const_cast<char *>(program.constData())};
    for (int i = 1; argv[i]; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    ::execv(program.constData(), args.data());
    report(QStringLiteral("ゲーム %1 を起動できません: %2")
               .arg(quoted(game), QString::fromLocal8Bit(std::strerror(errno))));
    return 1;
#else
    Q_UNUSED(argv);
    QProcess process;
    process.setProgram(game);
    process.setArguments(QCoreApplication::arguments().mid(1));
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start();
    if (!process.waitForStarted(-1)) {
        report(QStringLiteral("ゲーム %1 を起動できません: %2").arg(quoted(game), process.errorString()));
        return 1;
    }
    process.waitForFinished(-1);
    if (process.exitStatus() == QProcess::CrashExit) {
        report(QStringLiteral("ゲーム %1 が異常終了しました。").arg(quoted(game)));
        return 1;
    }
    return process.exitCode();
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kanarinka"));

    QStringList searched;
    const std::optional<Layout> layout = findLayout(searched);
    if (!layout) {
        QStringList places;
        for (const QString &path : searched)
            places << quoted(path);
        report(QStringLiteral("ゲーム本体が見つかりません。探した場所: %1").arg(places.join(u"、")));
        return 1;
    }

    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        report(QStringLiteral("データフォルダ %1 を作れません。").arg(quoted(folder)));
        return 1;
    }
    // A file that could not be seeded is reported here and then once more by the game
    // itself, in a message box that a player started from the desktop menu does see.
    for (const QString &problem : launcher::seedDataFolder(layout->defaults, folder))
        report(problem);

    return runGame(layout->game, folder, argv);
}
