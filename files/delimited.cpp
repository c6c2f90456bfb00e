#include "delimited.h"

namespace files {

Value DelimitedReader::next()
{
    const Span span = scanner_.next();
    return {text_.sliced(span.start, span.size).toString(), span.line};
}

QString formatRecord(const QList<Field> &fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += u',';
        if (const qint64 *number = std::get_if<qint64>(&fields[i]))
            line += QString::number(*number);
        else
            line += u'"' + std::get<QString>(fields[i]) + u'"';
    }
    return line + QStringLiteral("\r\n");
}

} // namespace files
