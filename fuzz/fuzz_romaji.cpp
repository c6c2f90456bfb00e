// The romaji composer, driven as the answer box drives it, and the table parser: keys
// always settle, nothing is pending after a flush, Backspace only removes what is pending,
// and a table text never breaks the parser or yields a rule that could compose forever.
#include "fuzzinput.h"
#include "platform/kana/romaji.h"

namespace {

void typeKeys(QStringView keys)
{
    platform::RomajiComposer composer;
    QString text;
    for (QChar c : keys) {
        if (c == u'\b') {
            const qsizetype before = composer.pending().size();
            const bool removed = composer.backspace();
            FUZZ_CHECK(removed == (before > 0) && composer.pending().size() == before - removed,
                       u"backspace with pending "_qs + composer.pending());
        } else if (platform::RomajiComposer::composes(c)) {
            text += composer.feed(c);
            for (QChar p : composer.pending())
                FUZZ_CHECK(platform::RomajiComposer::composes(p), u"pending holds "_qs + composer.pending());
        } else {
            text += composer.flush() + c;
            FUZZ_CHECK(composer.pending().isEmpty(), u"pending after a flush: "_qs + composer.pending());
        }
    }
    text += composer.flush();
    FUZZ_CHECK(composer.pending().isEmpty(), u"pending after a flush: "_qs + composer.pending());
}

// Any character fed straight in, as the composer's interface allows.
void feedRaw(QStringView keys)
{
    platform::RomajiComposer composer;
    for (QChar c : keys)
        composer.feed(c);
    composer.flush();
    FUZZ_CHECK(composer.pending().isEmpty(), u"pending after a flush: "_qs + composer.pending());
}

void parseTable(const QString &text)
{
    QStringList errors;
    const platform::RomajiTable table = platform::RomajiTable::parse(text, u"fuzz"_qs, &errors);
    for (const platform::RomajiTable::Rule &rule : table.rules()) {
        FUZZ_CHECK(!rule.input.isEmpty() && !rule.output.isEmpty() && rule.pending.size() < rule.input.size(),
                   u"rule "_qs + rule.input);
        FUZZ_CHECK(table.rule(rule.input) == &rule, u"rule not found by its input: "_qs + rule.input);
    }
    // Typing with the parsed table must settle too.
    platform::RomajiComposer composer(table);
    for (QChar c : text) {
        if (platform::RomajiComposer::composes(c))
            composer.feed(c);
    }
    composer.flush();
    FUZZ_CHECK(composer.pending().isEmpty(), u"pending after a flush: "_qs + composer.pending());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes = fuzz::bytes(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0:
        typeKeys(QString::fromLatin1(bytes));
        break;
    case 1:
        feedRaw(fuzz::utf16(bytes));
        break;
    default:
        parseTable(QString::fromUtf8(bytes));
        break;
    }
    return 0;
}
