// Writes the game's files in a loop until it is killed: rewrites the settings, appends a
// word, appends a history record, and reports each write on stdout once it has returned.
// Usage: test_crashsafety_writer settings|words|history|all <run>   (in the files' folder)
#include "files/dictionary.h"
#include "test_crashsafety.h"

#include <cstdio>
#include <cstdlib>

namespace {

void report(char what, int i)
{
    std::printf("%c %d\n", what, i);
    std::fflush(stdout);
}

[[noreturn]] void stop(const QString &error)
{
    std::printf("E %s\n", qUtf8Printable(error));
    std::fflush(stdout);
    std::exit(2);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3 || !crashsafety::kModes.contains(QString::fromLatin1(argv[1]))) {
        std::fprintf(stderr, "usage: %s settings|words|history|all <run>\n", argv[0]);
        return 2;
    }
    const QString mode = QString::fromLatin1(argv[1]);
    const int run = std::atoi(argv[2]);
    const bool settings = mode == u"settings" || mode == u"all";
    const bool words = mode == u"words" || mode == u"all";
    const bool history = mode == u"history" || mode == u"all";

    report('R', 0);
    QString error;
    for (int i = 0;; ++i) {
        if (settings) {
            if (!files::writeSettings(files::kSettingsFile, crashsafety::settingsAt(run, i), error))
                stop(error);
            report('S', i);
        }
        if (words) {
            if (!files::appendWord(files::kDictionaryFile, crashsafety::wordAt(run, i), error))
                stop(error);
            report('W', i);
        }
        if (history) {
            if (!files::appendHistoryRecord(files::kHistoryFile, crashsafety::recordAt(run, i), error))
                stop(error);
            report('H', i);
        }
    }
}
