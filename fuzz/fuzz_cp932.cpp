// CP932 decoding and encoding: decoded text encodes again and decodes to itself; bytes that
// are not CP932 give a message naming the file and a byte that is in the data; text that
// encodes decodes back to itself, so nothing is ever written as a look-alike.
#include "fuzzinput.h"
#include "platform/text/textfile.h"

#include <QRegularExpression>

namespace {

const QString kName = QStringLiteral("辞書.txt");

void checkDecoding(const QByteArray &bytes)
{
    QString text, error;
    if (!platform::decodeCp932(bytes, kName, text, error)) {
        FUZZ_CHECK(text.isEmpty() && error.contains(kName), error);
        // "... 先頭から N バイト目 ..." must point into the data.
        static const QRegularExpression offset(QStringLiteral("(\\d+) バイト目"));
        const auto match = offset.match(error);
        FUZZ_CHECK(match.hasMatch(), error);
        const qsizetype at = match.captured(1).toLongLong();
        FUZZ_CHECK(at >= 1 && at <= bytes.size(), error);
        return;
    }
    QByteArray encoded;
    FUZZ_CHECK(platform::encodeCp932(text, kName, encoded, error), error);
    QString again;
    FUZZ_CHECK(platform::decodeCp932(encoded, kName, again, error), error);
    FUZZ_CHECK(again == text, u"decoded text changed on its way back: "_qs + text);
}

void checkEncoding(const QString &text)
{
    QByteArray bytes;
    QString error;
    const bool encodable = platform::isCp932Encodable(text);
    if (!platform::encodeCp932(text, kName, bytes, error)) {
        FUZZ_CHECK(!encodable && bytes.isEmpty() && error.contains(kName), error);
        return;
    }
    FUZZ_CHECK(encodable, u"encodes, but is said not to: "_qs + text);
    QString back;
    FUZZ_CHECK(platform::decodeCp932(bytes, kName, back, error), error);
    FUZZ_CHECK(back == text, QStringLiteral("\"%1\" was written as \"%2\"").arg(text, back));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    checkDecoding(bytes);
    checkEncoding(fuzz::utf16(bytes));
    return 0;
}
