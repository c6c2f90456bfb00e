#include "help/viewer/chmhelpviewer.h"
#include "platform/onecopy/onecopy.h"
#include "platform/preferences/preferences.h"
#include "platform/sound/qtsounds.h"
#include "platform/systemservices.h"
#include "translations/language.h"
#include "ui/aids/playaids.h"
#include "ui/aids/preferences/languageswitch.h"
#include "ui/base/fixedsize.h"
#include "ui/base/fonts.h"
#include "ui/base/qtservices.h"
#include "ui/main/mainwindow.h"
#include "ui/progress/progressaids.h"
#include "ui/review/wordsaids.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(KANARINKA_APP_ID));
    ui::useJapaneseFonts();
    ui::FixedSizeKeeper fixedSizes;

    // The chosen language from the first message on; Qt's own texts (the edit boxes' menus:
    // 元に戻す, 貼り付け ...) in the same language.
    platform::SettingsPreferenceStore preferenceStore;
    translations::apply(preferenceStore.load().language);

    // Before any file is read: the folder's files take one copy of the game at a time. The
    // desktop's leave to take the focus, given to this start by its launcher, goes to the
    // running copy: Wayland lets no window come to the front without one.
    platform::OneCopy oneCopy;
    const QString folder = QDir::currentPath();
    const platform::OneCopy::Start start = oneCopy.start(QStringLiteral("."), 3000, qgetenv("XDG_ACTIVATION_TOKEN"));
    if (start == platform::OneCopy::Start::Shown)
        return 0;
    if (start != platform::OneCopy::Start::First) {
        using Start = platform::OneCopy::Start;
        const QString where = QDir::toNativeSeparators(folder);
        QString said;
        switch (start) {
        case Start::NotShown: // its window could not come to the front
            said =
                QCoreApplication::translate("Main", "カナリンカはこのフォルダですでに動いています。\n「%1」").arg(where);
            break;
        case Start::Running: // frozen, on another machine sharing the folder, or another HOME's
            said = QCoreApplication::translate("Main",
                                               "カナリンカはこのフォルダですでに動いています。\n「%1」\n\n"
                                               "動いているカナリンカがないときは、このフォルダの「%2」を"
                                               "消してから、もう一度起動してください。")
                       .arg(where, platform::kFolderLockName);
            break;
        default:
            said = oneCopy.error();
        }
        ui::MessageBoxes(nullptr).show(said, QCoreApplication::translate("Main", "カナリンカ"),
                                       start == Start::Failed ? platform::MessageIcon::Critical
                                                              : platform::MessageIcon::Information,
                                       platform::MessageButtons::Ok);
        return start == Start::NotShown ? 0 : 1;
    }

    ui::MainWindow window;
    QApplication::setWindowIcon(window.windowIcon());

    platform::SystemClock clock;
    platform::SystemRandom random(clock);
    ui::MessageBoxes messages(&window);
    platform::QtSounds sounds;
    ui::PlayAids aids(window, messages, preferenceStore, sounds, clock);
    ui::LanguageSwitch language(aids);
    ui::ProgressAids progress(window, aids, clock);
    ui::WordsAids words(window, aids, progress, clock);
    ui::ChmHelpViewer help(&window);
    ui::WindowProgram program(window);
    game::Game &game = window.attach({clock, random, aids.messages(), help, program});
    aids.attach(game);
    progress.attach(game);
    words.attach(game);
    oneCopy.setShowHandler([&program](const QByteArray &token) { return program.bringForward(token); });

    // A failed start has shown its message and ended the program before the event loop.
    if (!game.Form_Load())
        return program.ended() ? program.exitCode() : 1;
    // Once the window is up: the answer record is never what a start waits for.
    QTimer::singleShot(0, &progress, &ui::ProgressAids::start);
    // The meanings are read on a worker thread once the window is up; nothing waits for them.
    QTimer::singleShot(0, &words, &ui::WordsAids::start);
    return QApplication::exec();
}
