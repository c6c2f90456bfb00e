#include "delimited.h"

namespace files {
namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

} // namespace

DelimitedReader::DelimitedReader(QStringView text) : text_(text) {}

bool DelimitedReader::atLineEnd() const
{
    return pos_ >= text_.size() || isLineEnd(text_[pos_]);
}

void DelimitedReader::skipLineEnd()
{
    if (pos_ < text_.size() && text_[pos_] == u'\r')
        ++pos_;
    if (pos_ < text_.size() && text_[pos_] == u'\n')
        ++pos_;
    ++line_;
}

void DelimitedReader::skipBlankLines()
{
    for (;;) {
        while (pos_ < text_.size() && isBlank(text_[pos_]))
            ++pos_;
        if (pos_ >= text_.size() || !isLineEnd(text_[pos_]))
            return;
        skipLineEnd();
    }
}

bool DelimitedReader::atEnd()
{
    skipBlankLines();
    return pos_ >= text_.size();
}

Value DelimitedReader::next()
{
    skipBlankLines();
    while (pos_ < text_.size() && isBlank(text_[pos_]))
        ++pos_;
    Value value;
    value.line = line_;
    if (pos_ < text_.size() && text_[pos_] == u'"') {
        const qsizetype start = ++pos_;
        while (pos_ < text_.size() && text_[pos_] != u'"') {
            if (text_[pos_] == u'\n' || (text_[pos_] == u'\r' && (pos_ + 1 >= text_.size() || text_[pos_ + 1] != u'\n')))
                ++line_;
            ++pos_;
        }
        value.text = text_.sliced(start, pos_ - start).toString();
        if (pos_ < text_.size())
            ++pos_; // the closing quote
        while (pos_ < text_.size() && text_[pos_] != u',' && !isLineEnd(text_[pos_]))
            ++pos_;
    } else {
        const qsizetype start = pos_;
        while (pos_ < text_.size() && text_[pos_] != u',' && !isLineEnd(text_[pos_]))
            ++pos_;
        qsizetype end = pos_;
        while (end > start && isBlank(text_[end - 1]))
            --end;
        value.text = text_.sliced(start, end - start).toString();
    }
    if (pos_ < text_.size() && text_[pos_] == u',')
        ++pos_;
    else if (pos_ < text_.size())
        skipLineEnd();
    return value;
}

bool parseInt16(const QString &text, qint16 &value)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    if (i == text.size())
        return false;
    qint32 magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return false;
        magnitude = magnitude * 10 + (text[i].unicode() - u'0');
        if (magnitude > 32768)
            return false;
    }
    const qint32 result = negative ? -magnitude : magnitude;
    if (result > 32767)
        return false;
    value = qint16(result);
    return true;
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
