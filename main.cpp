#include "help/viewer/chmhelpviewer.h"
#include "platform/onecopy/onecopy.h"
#include "platform/preferences/preferences.h"
#include "platform/sound/qtsounds.h"
#include "platform/systemservices.h"
#include "translations/language.h"
#include "ui/aids/playaids.h"
#include "ui/aids/preferences/languageswitch.h"
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

    // The chosen language from the first message on; Qt's own texts (the edit boxes' menus:
    // 元に戻す, 貼り付け ...) in the same language.
    platform::SettingsPreferenceStore preferenceStore;
    translations::apply(preferenceStore.load().language);

    // Before any file is read: the folder's files take one copy of the game at a time.
    platform::OneCopy oneCopy;
    const QString folder = QDir::currentPath();
    const platform::OneCopy::Start start = oneCopy.start(QStringLiteral("."));
    if (start == platform::OneCopy::Start::Shown)
        return 0;
    if (start != platform::OneCopy::Start::First) {
        const bool running = start == platform::OneCopy::Start::Running;
        ui::MessageBoxes(nullptr).show(
            // Only a copy that did not answer gets here: frozen, or on another machine sharing
            // the folder.
            running ? QCoreApplication::translate("Main",
                                                  "カナリンカはこのフォルダですでに動いています。\n「%1」\n\n"
                                                  "動いているカナリンカがないときは、このフォルダの「%2」を"
                                                  "消してから、もう一度起動してください。")
                          .arg(QDir::toNativeSeparators(folder), platform::kFolderLockName)
                    : oneCopy.error(),
            QCoreApplication::translate("Main", "カナリンカ"),
            running ? platform::MessageIcon::Information : platform::MessageIcon::Critical, platform::MessageButtons::Ok);
        return 1;
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
    QObject::connect(&oneCopy, &platform::OneCopy::showRequested, &window, [&program] { program.bringForward(); });

    // A failed start has shown its message and ended the program before the event loop.
    if (!game.Form_Load())
        return program.ended() ? program.exitCode() : 1;
    // Once the window is up: the answer record is never what a start waits for.
    QTimer::singleShot(0, &progress, &ui::ProgressAids::start);
    // The meanings are read on a worker thread once the window is up; nothing waits for them.
    QTimer::singleShot(0, &words, &ui::WordsAids::start);
    return QApplication::exec();
}
