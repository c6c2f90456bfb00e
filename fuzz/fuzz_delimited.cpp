// The comma-separated value reader: it always ends, every value moves it on, numbers are
// read as their digits say, and whatever the writer writes reads back the same.
#include "files/delimited.h"
#include "fuzzinput.h"

#include <QStringList>

namespace {

// A plain reading of a 16-bit whole number, to hold parseInt16 against.
bool referenceInt16(const QString &text, qint16 &value)
{
    QStringView digits(text);
    bool negative = false;
    if (!digits.isEmpty() && (digits[0] == u'-' || digits[0] == u'+')) {
        negative = digits[0] == u'-';
        digits = digits.sliced(1);
    }
    if (digits.isEmpty())
        return false;
    qint64 n = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return false;
        n = qMin<qint64>(n * 10 + (c.unicode() - u'0'), 1'000'000);
    }
    if (negative)
        n = -n;
    if (n < -32768 || n > 32767)
        return false;
    value = qint16(n);
    return true;
}

int lineCountUpperBound(const QString &text)
{
    return int(text.count(u'\n') + text.count(u'\r')) + 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzz::fileText(fuzz::bytes(data, size));

    files::DelimitedReader reader(text);
    qsizetype values = 0;
    int lastLine = 1;
    const int lines = lineCountUpperBound(text);
    while (!reader.atEnd()) {
        const files::Value value = reader.next();
        ++values;
        FUZZ_CHECK(values <= text.size(), u"more values than characters"_qs);
        FUZZ_CHECK(value.line >= lastLine && value.line <= lines,
                   QStringLiteral("value on line %1 after line %2").arg(value.line).arg(lastLine));
        lastLine = value.line;

        qint16 got = 0, want = 0;
        const bool parsed = files::parseInt16(value.text, got);
        FUZZ_CHECK(parsed == referenceInt16(value.text, want) && (!parsed || got == want),
                   QStringLiteral("parseInt16(\"%1\") gave %2").arg(value.text).arg(got));
    }

    // Fields cut from the input at NUL: canonical numbers stay bare, texts lose their
    // double quotes (the writer cannot hold those). The written record reads back as is.
    QList<files::Field> fields;
    QStringList expected;
    if (!text.isEmpty()) {
        for (QString field : text.split(QChar(0))) {
            bool isNumber = false;
            const qint64 n = field.toLongLong(&isNumber);
            if (isNumber && QString::number(n) == field) {
                fields.append(n);
            } else {
                field.remove(u'"');
                fields.append(field);
            }
            expected.append(field);
        }
    }
    const QString record = files::formatRecord(fields);
    files::DelimitedReader back(record);
    QStringList read;
    while (!back.atEnd())
        read.append(back.next().text);
    FUZZ_CHECK(
        read == expected,
        QStringLiteral("wrote %1 fields, read %2 back: [%3]").arg(expected.size()).arg(read.size()).arg(read.join(u'|')));
    return 0;
}
