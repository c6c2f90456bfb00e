// The game on headless sway (as an ordinary user: sway refuses root) with real keys and clicks, a
// second start with and without a launcher's token, and on Weston nested in it, where Qt draws the
// title bar. Exits 77 (skipped) where a compositor or a sender is missing.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QProcess>
#include <QRect>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QThread>

#include <csignal>
#include <optional>
#include <pwd.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Made for the test where it runs as root, and kept.
constexpr char kUser[] = "kanarinka-desktop";
const QString kTools = QStringLiteral(KANARINKA_WAYLAND_TOOLS);
const QString kProgressTitle = u"成績 - カナリンカ"_qs;
// The game's window at scale 1.
constexpr QSize kWindowSize(631, 452);

struct Window {
    QRect rect; // on the output, with sway's border
    QSize size; // the program's own
    qint64 pid = 0;
    bool focused = false;
    bool floating = false;
};

// sway's windows by title.
QMultiMap<QString, Window> windowsIn(const QJsonObject &node, bool floating = false)
{
    QMultiMap<QString, Window> found;
    if (node.contains(u"pid"_qs)) {
        const auto rect = [&](const char *key) {
            const QJsonObject r = node[QLatin1String(key)].toObject();
            return QRect(r[u"x"_qs].toInt(), r[u"y"_qs].toInt(), r[u"width"_qs].toInt(), r[u"height"_qs].toInt());
        };
        found.insert(node[u"name"_qs].toString(),
                     {rect("rect"), rect("window_rect").size(), node[u"pid"_qs].toInteger(),
                      node[u"focused"_qs].toBool(), floating});
    }
    for (const char *key : {"nodes", "floating_nodes"})
        for (const QJsonValue child : node[QLatin1String(key)].toArray())
            found.unite(windowsIn(child.toObject(), floating || QLatin1String(key) == "floating_nodes"));
    return found;
}

// Weston's background (weston.ini).
const QByteArray kWestonBackground("\x20\x40\x60", 3);

// On a screenshot as grim writes it in PPM: the box around what covers Weston's background.
QRect onWestonsBackground(const QByteArray &ppm)
{
    QList<QByteArray> header = ppm.left(32).split('\n');
    const QList<QByteArray> size = header.value(1).split(' ');
    const int width = size.value(0).toInt(), height = size.value(1).toInt();
    const qsizetype start = header.value(0).size() + header.value(1).size() + header.value(2).size() + 3;
    if (header.value(0) != "P6" || ppm.size() < start + qsizetype(width) * height * 3)
        return {};
    const auto pixel = [&](int x, int y) {
        return QByteArrayView(ppm).sliced(start + (qsizetype(y) * width + x) * 3, 3);
    };
    QRect output, box;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (pixel(x, y) == kWestonBackground)
                output |= QRect(x, y, 1, 1);
    for (int y = output.top(); y <= output.bottom(); ++y)
        for (int x = output.left(); x <= output.right(); ++x)
            if (pixel(x, y) != kWestonBackground)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestWayland : public QObject {
    Q_OBJECT
public:
    // Empty where the test can run, else why not.
    static QString unavailable()
    {
        if (kTools.isEmpty())
            return u"the key and pointer senders were not built"_qs;
        for (const char *program : {"sway", "swaymsg", "weston", "grim", ::geteuid() == 0 ? "setpriv" : "sway"})
            if (QStandardPaths::findExecutable(QLatin1String(program)).isEmpty())
                return QStringLiteral("%1 is not installed (scripts/install-deps installs it)").arg(program);
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) + u"/platforms/libqwayland-generic.so"_qs))
            return u"Qt's wayland platform is not installed (qt6-wayland)"_qs;
        return {};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(run_.isValid());
        if (::geteuid() == 0) { // sway refuses root: an ordinary user runs the compositors
            if (!::getpwnam(kUser))
                QProcess::execute(u"useradd"_qs,
                                  {u"--system"_qs, u"--no-create-home"_qs, u"--shell"_qs, u"/usr/sbin/nologin"_qs,
                                   QLatin1String(kUser)});
            const passwd *user = ::getpwnam(kUser);
            QVERIFY2(user, "no user for the compositors");
            uid_ = user->pw_uid;
            gid_ = user->pw_gid;
        }
        const QString runtime = run_.filePath(u"runtime"_qs);
        QVERIFY(QDir().mkpath(runtime) && QDir().mkpath(run_.filePath(u"home"_qs)));
        for (const QString &path : {run_.path(), runtime, run_.filePath(u"home"_qs)})
            QVERIFY(::chown(QFile::encodeName(path).constData(), uid_, gid_) == 0);
        QVERIFY(::chmod(QFile::encodeName(runtime).constData(), 0700) == 0);
        write(u"sway.conf"_qs,
              "xwayland disable\n"
              "output HEADLESS-1 resolution 1280x800 position 0,0\n"
              "input type:keyboard xkb_layout us\n"
              "default_border normal\n"
              "focus_on_window_activation focus\n"
              "for_window [title=\"^Weston Compositor\"] floating enable, move position 0 0\n");
        // A plain background, so that the window can be found on a screenshot.
        write(u"weston.ini"_qs,
              "[core]\nidle-time=0\n[input-method]\npath=\n[shell]\npanel-position=none\n"
              "background-color=0xff204060\nbackground-image=\n");

        env_.insert(u"PATH"_qs, u"/usr/bin:/bin"_qs);
        env_.insert(u"XDG_RUNTIME_DIR"_qs, runtime);
        env_.insert(u"HOME"_qs, run_.filePath(u"home"_qs));
        env_.insert(u"LANG"_qs, u"C.UTF-8"_qs);
        QProcessEnvironment sway = env_;
        sway.insert(u"WLR_BACKENDS"_qs, u"headless"_qs);
        sway.insert(u"WLR_LIBINPUT_NO_DEVICES"_qs, u"1"_qs);
        sway.insert(u"WLR_RENDERER"_qs, u"pixman"_qs);
        startAsUser(sway_, sway, {u"sway"_qs, u"-c"_qs, run_.filePath(u"sway.conf"_qs)});
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(runtime).entryList({u"wayland-?"_qs}, QDir::System).isEmpty()
                                     && !QDir(runtime).entryList({u"sway-ipc.*"_qs}, QDir::System).isEmpty(),
                                 10000);
        env_.insert(u"WAYLAND_DISPLAY"_qs, QDir(runtime).entryList({u"wayland-?"_qs}, QDir::System).first());
        env_.insert(u"SWAYSOCK"_qs,
                    QDir(runtime).absoluteFilePath(QDir(runtime).entryList({u"sway-ipc.*"_qs}, QDir::System).first()));

        startGame(game_, u"first"_qs, env_);
        QTRY_VERIFY_WITH_TIMEOUT(gameWindow(), 15000);
    }

    void cleanupTestCase()
    {
        for (QProcess *process : {&second_, &nested_, &weston_, &game_, &sway_}) {
            process->terminate();
            if (!process->waitForFinished(3000))
                process->kill(), process->waitForFinished(3000);
        }
        // What the compositors started came to this process when they ended (a subreaper).
        QThread::msleep(300);
        for (const QString &pid : QDir(u"/proc"_qs).entryList(QDir::Dirs)) {
            QFile stat(u"/proc/"_qs + pid + u"/stat"_qs);
            if (stat.open(QIODevice::ReadOnly)
                && stat.readAll().split(')').value(1).split(' ').value(2).toLongLong() == ::getpid())
                ::kill(pid.toInt(), SIGKILL);
        }
        while (::waitpid(-1, nullptr, WNOHANG) > 0) {
        }
    }

    void aGameIsPlayedInAFloatingWindowOfItsOwnSize()
    {
        const Window window = *gameWindow();
        QVERIFY(window.floating);
        QCOMPARE(window.size, kWindowSize);
        QVERIFY(QRect(0, 0, 1280, 800).contains(window.rect));
        // A 10-second game: an answer, then the boxes at its end.
        keys({u"F5"_qs, u"ms:4000"_qs, u"t:gorira"_qs, u"Return"_qs, u"ms:600"_qs, u"Return"_qs});
        QTest::qWait(10000);
        for (int box = 0; box < 4 && windowsOf(game_).size() > 1; ++box)
            keys({u"Return"_qs, u"ms:500"_qs});
        QCOMPARE(windowsOf(game_).size(), 1);
        QFile record(run_.filePath(u"first/回答記録.txt"_qs));
        QVERIFY(record.open(QIODevice::ReadOnly));
        QVERIFY2(record.readAll().contains("ごりら"), "the typed answer was not judged");
    }

    // The progress window is a window of its own: a click on the game brings the game forward.
    void theGameComesInFrontOfTheProgressWindow()
    {
        keys({u"^19"_qs}); // Ctrl+R
        QTRY_VERIFY_WITH_TIMEOUT(windows().contains(kProgressTitle), 10000);
        QTRY_VERIFY(windows().value(kProgressTitle).focused);
        click(gameWindow()->rect.center());
        QTRY_VERIFY(gameWindow()->focused);
    }

    // A launcher hands its token to the program it starts: the running copy takes the focus with it.
    void aSecondStartWithATokenBringsTheGameForward()
    {
        focusProgress();
        const QByteArray token = output(kTools + u"/xdgtoken"_qs, {}).value_or("").trimmed();
        QVERIFY(!token.isEmpty());
        QProcessEnvironment env = env_;
        env.insert(u"XDG_ACTIVATION_TOKEN"_qs, QString::fromLatin1(token));
        startGame(second_, u"first"_qs, env);
        QVERIFY(second_.waitForFinished(10000));
        QCOMPARE(second_.exitCode(), 0);
        QTRY_VERIFY(gameWindow()->focused);
    }

    // Without a token nothing can come forward: the second start says that the game runs there.
    void aSecondStartWithoutATokenSaysTheGameRuns()
    {
        focusProgress();
        startGame(second_, u"first"_qs, env_);
        QTRY_VERIFY_WITH_TIMEOUT(windowsOf(second_).value(0).focused, 10000);
        for (int tries = 0; tries < 3 && second_.state() != QProcess::NotRunning; ++tries)
            keys({u"Return"_qs}), second_.waitForFinished(1500);
        QCOMPARE(second_.state(), QProcess::NotRunning);
        QCOMPARE(second_.exitCode(), 0);
        QVERIFY(game_.state() == QProcess::Running);
    }

    // Where Qt draws the title bar (Weston), maximize once ended the game with a protocol error.
    void theMaximizeButtonOfQtsTitleBarLeavesTheGameAsItWas()
    {
        startAsUser(weston_, env_,
                    {u"weston"_qs, u"-B"_qs, u"wayland-backend.so"_qs, u"--use-pixman"_qs, u"--width=1000"_qs,
                     u"--height=740"_qs, u"--socket=wayland-weston"_qs,
                     u"--config="_qs + run_.filePath(u"weston.ini"_qs)});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(env_.value(u"XDG_RUNTIME_DIR"_qs) + u"/wayland-weston"_qs), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(windows().contains(u"Weston Compositor - wayland0"_qs), 10000);
        QProcessEnvironment env = env_;
        env.insert(u"WAYLAND_DISPLAY"_qs, u"wayland-weston"_qs);
        startGame(nested_, u"nested"_qs, env);
        QRect before;
        QTRY_VERIFY_WITH_TIMEOUT((before = gameOnWeston()).width() > 600, 15000);
        // Qt's bradient title bar: 30 pixels high, maximize 40 pixels left of the right edge. A
        // click inside then makes the window draw itself again, under the state it was given.
        click({before.right() + 1 - 40, before.top() + 15});
        click(before.topLeft() + QPoint(200, 300));
        QVERIFY2(nested_.state() == QProcess::Running, nested_.readAllStandardError().constData());
        QCOMPARE(gameOnWeston(), before);
    }

private:
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(run_.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        QVERIFY(::chmod(QFile::encodeName(file.fileName()).constData(), 0644) == 0);
    }

    // The compositors run as the ordinary user where the test is root; the game and the
    // senders as the test itself, which may use that user's sockets.
    void startAsUser(QProcess &process, const QProcessEnvironment &env, QStringList command)
    {
        if (::geteuid() == 0)
            command = QStringList{QStringLiteral("--reuid=%1").arg(uid_), QStringLiteral("--regid=%1").arg(gid_),
                                  u"--clear-groups"_qs, u"--"_qs}
                + command;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(run_.path());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(::geteuid() == 0 ? u"setpriv"_qs : command.takeFirst(), command);
        QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
    }

    // The game in a data folder of the run's, seeded on first use with a 10-second game.
    void startGame(QProcess &process, const QString &folder, QProcessEnvironment env)
    {
        const QDir data(run_.filePath(folder));
        if (!data.exists()) {
            QVERIFY(QDir().mkpath(data.path()));
            for (const QFileInfo &file : QDir(QStringLiteral(KANARINKA_DEFAULTS_DIR)).entryInfoList(QDir::Files))
                QVERIFY(QFile::copy(file.filePath(), data.filePath(file.fileName())));
            QFile settings(data.filePath(u"設定.txt"_qs));
            QVERIFY(settings.open(QIODevice::WriteOnly | QIODevice::Truncate) && settings.write("10,0\r\n") == 6);
        }
        env.insert(u"QT_QPA_PLATFORM"_qs, u"wayland"_qs);
        env.insert(u"XDG_CONFIG_HOME"_qs, run_.filePath(u"config"_qs));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(data.path());
        // KANARINKA_TEST_GAME tries another build, or the installed game.
        process.start(qEnvironmentVariable("KANARINKA_TEST_GAME", QStringLiteral(KANARINKA_GAME)), {});
        QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
    }

    // What `program` wrote, given `input`; nothing where it failed.
    std::optional<QByteArray> output(const QString &program, const QStringList &arguments, const QByteArray &input = {})
    {
        QProcess process;
        process.setProcessEnvironment(env_);
        process.start(program, arguments);
        process.write(input);
        process.closeWriteChannel();
        const bool done = process.waitForFinished(30000) && process.exitCode() == 0;
        return done ? std::optional(process.readAllStandardOutput()) : std::nullopt;
    }
    void keys(const QStringList &tokens)
    {
        QVERIFY(output(kTools + u"/vkbd"_qs, QStringList{u"us"_qs, u"-"_qs} + tokens).has_value());
    }
    void click(QPoint at)
    {
        QVERIFY(output(kTools + u"/vptr"_qs, {},
                       QStringLiteral("click %1 %2\nsleep 800\n").arg(at.x()).arg(at.y()).toLatin1())
                    .has_value());
    }

    QMultiMap<QString, Window> windows()
    {
        return windowsIn(
            QJsonDocument::fromJson(output(u"swaymsg"_qs, {u"-r"_qs, u"-t"_qs, u"get_tree"_qs}).value_or("")).object());
    }
    QList<Window> windowsOf(const QProcess &process)
    {
        QList<Window> found;
        for (const Window &window : windows())
            if (window.pid == process.processId())
                found << window;
        return found;
    }
    std::optional<Window> gameWindow()
    {
        const QList<Window> found = windowsOf(game_);
        return found.isEmpty() ? std::nullopt : std::optional(found.first());
    }

    // Asked again where a late activation took the focus back.
    void focusProgress()
    {
        for (int tries = 0; tries < 3 && !windows().value(kProgressTitle).focused; ++tries) {
            QVERIFY(output(u"swaymsg"_qs, {u"-q"_qs, u"[title=\"^成績\"] focus"_qs}).has_value());
            QTest::qWait(500);
        }
        QVERIFY(windows().value(kProgressTitle).focused);
    }

    // The game's window on Weston's output, from a screenshot.
    QRect gameOnWeston()
    {
        return onWestonsBackground(output(u"grim"_qs, {u"-t"_qs, u"ppm"_qs, u"-"_qs}).value_or(""));
    }

    QTemporaryDir run_;
    uid_t uid_ = ::geteuid();
    gid_t gid_ = ::getegid();
    QProcessEnvironment env_;
    QProcess sway_, weston_, game_, second_, nested_;
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    if (const QString why = TestWayland::unavailable(); !why.isEmpty()) {
        QTextStream(stdout) << "skipped: " << why << Qt::endl;
        return 77;
    }
    TestWayland test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_wayland.moc"
