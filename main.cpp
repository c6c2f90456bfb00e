#include "platform/preferences.h"
#include "platform/sound/qtsounds.h"
#include "platform/systemservices.h"
#include "ui/fonts.h"
#include "ui/help/chmhelpviewer.h"
#include "ui/mainwindow.h"
#include "ui/playaids.h"
#include "ui/services.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(KANARINKA_APP_ID));
    ui::useJapaneseFonts();

    // The edit boxes' own menus (元に戻す, 貼り付け ...) in Japanese, like the rest of the window.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    ui::MainWindow window;
    QApplication::setWindowIcon(window.windowIcon());

    platform::SystemClock clock;
    platform::SystemRandom random(clock);
    ui::MessageBoxes messages(&window);
    platform::SettingsPreferenceStore preferenceStore;
    platform::QtSounds sounds;
    ui::PlayAids aids(window, messages, preferenceStore, sounds, clock);
    ui::ChmHelpViewer help(&window);
    ui::WindowProgram program(window);
    game::Game &game = window.attach({clock, random, aids.messages(), help, program});
    aids.attach(game);

    // A failed start has shown its message and ended the program before the event loop.
    if (!game.Form_Load())
        return program.ended() ? program.exitCode() : 1;
    return QApplication::exec();
}
