// EDICT's line reader: an entry has a hiragana reading and one or two glosses without their
// tags, and the index's scan of the same bytes finds the same reading and (P) mark.
#include "fuzzinput.h"
#include "meanings/edictline.h"
#include "platform/kana/kana.h"

#include <QStringDecoder>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    QStringDecoder decoder("EUC-JP", QStringDecoder::Flag::Stateless);
    for (const QByteArray &line : input.split('\n')) {
        decoder.resetState();
        const QString text = decoder.decode(line);
        if (decoder.hasError())
            continue;
        const std::optional<meanings::EdictEntry> entry = meanings::parseEdictLine(text);
        if (!entry)
            continue;
        FUZZ_CHECK(!entry->reading.isEmpty() && platform::toWideHiragana(entry->reading) == entry->reading,
                   u"reading not in hiragana: "_qs + text);
        FUZZ_CHECK(!entry->glosses.isEmpty() && entry->glosses.size() <= meanings::kGlossesKept, u"glosses: "_qs + text);
        for (const QString &gloss : entry->glosses)
            FUZZ_CHECK(!gloss.isEmpty() && !gloss.contains(u'/') && gloss.trimmed() == gloss, u"gloss: "_qs + text);
        const meanings::EdictKeys keys = meanings::scanEdictLine(line);
        decoder.resetState();
        FUZZ_CHECK(platform::toWideHiragana(QString(decoder.decode(keys.reading))) == entry->reading
                       && keys.common == entry->common,
                   u"the index's scan disagrees: "_qs + text);
    }
    return 0;
}
