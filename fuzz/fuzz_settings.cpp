// The settings reader: it accepts exactly what it promises, names the file when it
// refuses, and what it accepted is written and read back unchanged.
#include "files/settings.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString name = QStringLiteral("設定.txt");
    const QString text = fuzz::fileText(fuzz::bytes(data, size));

    files::Settings settings;
    QString error;
    if (!files::parseSettings(text, name, settings, error)) {
        FUZZ_CHECK(error.contains(name), error);
        return 0;
    }
    FUZZ_CHECK(settings.playTime > 0 && settings.autoSave >= 0 && settings.autoSave <= 2,
               QStringLiteral("accepted %1,%2").arg(settings.playTime).arg(settings.autoSave));

    const QString written = files::formatSettings(settings);
    files::Settings again;
    FUZZ_CHECK(files::parseSettings(written, name, again, error), error);
    FUZZ_CHECK(again.playTime == settings.playTime && again.autoSave == settings.autoSave,
               u"written form reads back differently: "_qs + written);
    return 0;
}
