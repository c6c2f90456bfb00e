// The answer record's line reader: it takes a line in one stretch when it has the written
// shape and value by value otherwise, and either way a row holds exactly the values the
// comma-separated value reader sees in the line; a row written again reads back the same.
#include "files/delimited.h"
#include "fuzzinput.h"
#include "progress/record/answerfile.h"

#include <QStringDecoder>
#include <QStringTokenizer>

namespace {

// The line's values as the value reader gives them, padded to eight.
QStringList valuesOf(QStringView line)
{
    QStringList values;
    files::DelimitedReader reader(line);
    while (values.size() < 8 && !reader.atEnd())
        values.append(reader.next().text);
    while (values.size() < 8)
        values.append(QString());
    return values;
}

QString number(qint64 n)
{
    return QString::number(n);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(fuzz::bytes(data, size));
    for (QStringView line : QStringTokenizer(text, u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const std::optional<progress::AnswerRow> row = progress::parseAnswerRow(line);
        if (!row)
            continue;
        const QStringList v = valuesOf(line);
        const QString written = progress::formatAnswerRow(*row);
        const QStringList w = valuesOf(written);
        // The verdict's name and the numbers as written; the rest as the line holds them.
        FUZZ_CHECK(row->game == v[0] && QString(row->expected.isNull() ? QString() : QString(row->expected)) == v[1]
                       && row->answer == v[2] && w[3] == v[3],
                   u"texts differ from the line's values: "_qs + line.toString());
        FUZZ_CHECK(number(row->stallMs) == QString::number(v[4].toLongLong())
                       && number(row->typingMs) == QString::number(v[5].toLongLong())
                       && (row->keys ? number(row->keys->all) == QString::number(v[6].toLongLong())
                                   && number(row->keys->backspaces) == QString::number(v[7].toLongLong())
                                     : v[6].isEmpty() && v[7].isEmpty()),
                   u"numbers differ from the line's values: "_qs + line.toString());
        std::optional<progress::AnswerRow> again = progress::parseAnswerRow(QStringView(written).chopped(2));
        FUZZ_CHECK(again.has_value(), u"written row unreadable: "_qs + written);
        FUZZ_CHECK(progress::formatAnswerRow(*again) == written, u"written row reads back differently: "_qs + written);
    }
    return 0;
}
