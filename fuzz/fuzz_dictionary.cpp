// The dictionary reader: it stays within the 16-bit word count, names the file when it
// refuses, and words as the game writes them (one per line) read back unchanged.
#include "files/dictionary.h"
#include "fuzzinput.h"

namespace {

// A word that a line of its own holds exactly: no separator, quote or line end in it and
// no blanks at its ends, which the reader would drop.
bool plain(const QString &word)
{
    if (word.isEmpty() || word.front() == u' ' || word.front() == u'\t' || word.back() == u' ' || word.back() == u'\t')
        return false;
    for (QChar c : word) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString name = QStringLiteral("辞書.txt");
    const QString text = fuzz::fileText(fuzz::bytes(data, size));

    QStringList words;
    QString error;
    if (!files::parseDictionary(text, name, words, error)) {
        FUZZ_CHECK(error.contains(name), error);
        return 0;
    }
    FUZZ_CHECK(words.size() <= files::kMaxDictionaryWords, u"too many words accepted"_qs);

    QStringList kept;
    QString written;
    for (const QString &word : std::as_const(words)) {
        if (plain(word)) {
            kept.append(word);
            written += word + QStringLiteral("\r\n");
        }
    }
    QStringList again;
    FUZZ_CHECK(files::parseDictionary(written, name, again, error), error);
    FUZZ_CHECK(again == kept, u"words read back differently: "_qs + again.join(u'|'));
    return 0;
}
