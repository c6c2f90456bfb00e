// Starts the game in the player's data folder, after seeding the folder with any default
// file it lacks. The game reads its files from its working folder and takes no arguments;
// this is what gives it a working folder of the player's own.
#include "seed.h"

#include "platform/onecopy/onecopy.h"
#include "platform/preferences/preferences.h"
#include "translations/language.h"
#include "ui/base/fonts.h"
#include "ui/base/qtservices.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
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

// The player's data folder, or empty with `problem` set. On freedesktop systems by the XDG
// rules ourselves: QStandardPaths makes "//.local/share" of an unset HOME and takes a relative
// XDG_DATA_HOME, which the rules say to ignore.
QString dataFolder(QString &problem)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg + QStringLiteral("/kanarinka"));
    const QString home = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(home))
        return QDir::cleanPath(home + QStringLiteral("/.local/share/kanarinka"));
    problem = QCoreApplication::translate(
        "Launcher", "データフォルダの場所が決まりません: 環境変数 HOME がないか、絶対パスではありません。");
    return {};
#else
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty())
        problem = QCoreApplication::translate("Launcher", "データフォルダの場所が決まりません。");
    return folder;
#endif
}

// Why the data folder could not be made: the nearest part of its path that exists says.
QString whyNotMade(const QString &folder)
{
    QFileInfo part(folder);
    while (!part.exists() && !part.isRoot())
        part.setFile(part.absolutePath());
    if (!part.isDir())
        return QCoreApplication::translate("Launcher", "%1 はフォルダではありません。").arg(quoted(part.filePath()));
    if (!part.isWritable())
        return QCoreApplication::translate("Launcher", "%1 に書き込めません。").arg(quoted(part.filePath()));
    return {};
}

// The launcher's own arguments go on to the game, so Qt's options (-platform ...) still work.
// Returns the game's exit status, or sets `problem` when it could not be started.
int runGame(const QString &game, const QString &folder, char *argv[], QString &problem)
{
#ifdef Q_OS_UNIX
    // Replacing the launcher keeps one process: signals, the exit status and the desktop's
    // start-up notification all reach the game directly.
    if (!QDir::setCurrent(folder)) {
        problem = QCoreApplication::translate("Launcher", "データフォルダ %1 に移れません。").arg(quoted(folder));
        return 1;
    }
    const QByteArray program = QFile::encodeName(game);
    std::vector<char *> args{const_cast<char *>(program.constData())};
    for (int i = 1; argv[i]; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    ::execv(program.constData(), args.data());
    problem = QCoreApplication::translate("Launcher", "ゲーム %1 を起動できません: %2")
                  .arg(quoted(game), QString::fromLocal8Bit(std::strerror(errno)));
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
        problem = QCoreApplication::translate("Launcher", "ゲーム %1 を起動できません: %2")
                      .arg(quoted(game), process.errorString());
        return 1;
    }
    process.waitForFinished(-1);
    if (process.exitStatus() == QProcess::CrashExit) {
        report(QCoreApplication::translate("Launcher", "ゲーム %1 が異常終了しました。").arg(quoted(game)));
        return 1;
    }
    return process.exitCode();
#endif
}

// Seeds the data folder and starts the game there; returns as runGame does.
int launch(char *argv[], QString &problem)
{
    QCoreApplication::setApplicationName(QStringLiteral("kanarinka"));

    QStringList searched;
    const std::optional<Layout> layout = findLayout(searched);
    if (!layout) {
        QStringList places;
        for (const QString &path : searched)
            places << quoted(path);
        problem =
            QCoreApplication::translate("Launcher", "ゲーム本体が見つかりません。探した場所: %1").arg(places.join(u"、"));
        return 1;
    }

    const QString folder = dataFolder(problem);
    if (folder.isEmpty())
        return 1;
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        problem = QCoreApplication::translate("Launcher", "データフォルダ %1 を作れません。%2")
                      .arg(quoted(folder), whyNotMade(folder));
        return 1;
    }
    // Under the folder's lock, so that two first starts at once never race for a file. A
    // folder held by a running copy is left alone: the game started below hands over to it.
    if (const auto lock = platform::lockFolder(folder); lock->isLocked() || lock->error() == QLockFile::PermissionError) {
        // Without its files the game could only say that one is missing, not why.
        if (const QString refused = launcher::whyNoFileCanBeMade(folder);
            !refused.isEmpty() && launcher::lacksPlayerFile(folder)) {
            problem = refused;
            return 1;
        }
        // A file that could not be seeded is reported here and then once more by the game
        // itself, in a message box that a player started from the desktop menu does see.
        for (const QString &seedProblem : launcher::seedDataFolder(layout->defaults, folder))
            report(seedProblem);
    } // unlocked before the game starts: it takes the lock itself

    return runGame(layout->game, folder, argv, problem);
}

// A player who started the game from the desktop sees no terminal: a reason for not starting
// goes to a dialog too, wherever there is a screen to show it on (QApplication would abort
// without one).
void showProblem(int &argc, char *argv[], const QString &problem)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
#endif
    QApplication app(argc, argv);
    if (QGuiApplication::platformName() == u"offscreen" || QGuiApplication::platformName() == u"minimal")
        return;
    ui::useJapaneseFonts();
    translations::apply(platform::SettingsPreferenceStore().load().language);
    ui::MessageBoxes(nullptr).show(problem, QCoreApplication::translate("Launcher", "カナリンカ"),
                                   platform::MessageIcon::Critical, platform::MessageButtons::Ok);
}

} // namespace

int main(int argc, char *argv[])
{
    QString problem;
    int status = 0;
    {
        QCoreApplication app(argc, argv);
        translations::apply(platform::SettingsPreferenceStore().load().language);
        status = launch(argv, problem);
    }
    if (problem.isEmpty())
        return status;
    report(problem);
    showProblem(argc, argv, problem);
    return status;
}
