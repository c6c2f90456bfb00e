// Claims the folder as the game does ("X 1" when its running copy answered), then writes the game's
// files in a loop until killed, reporting each write on stdout once it has returned.
// Usage: test_crashsafety_writer settings|words|history|answers|all <run>   (in the files' folder)
#include "test_crashsafety.h"
#include "files/dictionary.h"
#include "platform/onecopy/onecopy.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    const QString mode = argc == 3 ? QString::fromLatin1(argv[1]) : QString();
    if (!crashsafety::kModes.contains(mode)) {
        std::fprintf(stderr, "usage: %s settings|words|history|answers|all <run>\n", argv[0]);
        return 2;
    }
    const int run = std::atoi(argv[2]);
    QCoreApplication app(argc, argv);
    platform::OneCopy copy;
    if (const auto start = copy.start(QStringLiteral(".")); start != platform::OneCopy::Start::First) {
        std::printf("X %d\n", int(start));
        return 3;
    }
    const auto on = [&](const char *what) { return mode == QLatin1String(what) || mode == u"all"; };
    progress::AnswerFile answers;
    QString error;
    // "S 12": settings step 12 written; "E why": a write failed.
    const auto report = [&](char what, int i, bool written) {
        written ? std::printf("%c %d\n", what, i) : std::printf("E %s\n", qUtf8Printable(error));
        std::fflush(stdout);
        if (!written)
            std::exit(2);
    };
    report('R', 0, true);
    for (int i = 0;; ++i) {
        QCoreApplication::processEvents();
        if (on("settings"))
            report('S', i, files::writeSettings(files::kSettingsFile, crashsafety::settingsAt(run, i), error));
        if (on("words"))
            report('W', i, files::appendWord(files::kDictionaryFile, crashsafety::wordAt(run, i), error));
        if (on("history"))
            report('H', i, files::appendHistoryRecord(files::kHistoryFile, crashsafety::recordAt(run, i), error));
        if (on("answers"))
            report('A', i, answers.append(crashsafety::answerAt(run, i), error));
    }
}
