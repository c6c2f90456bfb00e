#include "delimited.h"

namespace files {
namespace {

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

bool isLineEnd(char16_t c)
{
    return c == u'\r' || c == u'\n';
}

char16_t unit(QChar c)
{
    return c.unicode();
}

char16_t unit(char c)
{
    return uchar(c);
}

} // namespace

template <typename View>
char16_t ValueScanner<View>::at(qsizetype i) const
{
    return unit(text_[i]);
}

template <typename View>
bool ValueScanner<View>::atLineEnd() const
{
    return pos_ >= text_.size() || isLineEnd(at(pos_));
}

template <typename View>
void ValueScanner<View>::skipLineEnd()
{
    if (pos_ < text_.size() && at(pos_) == u'\r')
        ++pos_;
    if (pos_ < text_.size() && at(pos_) == u'\n')
        ++pos_;
    ++line_;
}

template <typename View>
void ValueScanner<View>::skipBlankLines()
{
    for (;;) {
        while (pos_ < text_.size() && isBlank(at(pos_)))
            ++pos_;
        if (pos_ >= text_.size() || !isLineEnd(at(pos_)))
            return;
        skipLineEnd();
    }
}

template <typename View>
bool ValueScanner<View>::atEnd()
{
    skipBlankLines();
    return pos_ >= text_.size();
}

template <typename View>
Span ValueScanner<View>::next()
{
    skipBlankLines();
    Span value;
    value.line = line_;
    const qsizetype size = text_.size();
    if (pos_ < size && at(pos_) == u'"') {
        value.start = ++pos_;
        for (; pos_ < size && at(pos_) != u'"'; ++pos_) {
            const char16_t c = at(pos_);
            if (c == u'\n' || (c == u'\r' && (pos_ + 1 >= size || at(pos_ + 1) != u'\n')))
                ++line_;
        }
        value.size = pos_ - value.start;
        if (pos_ < size)
            ++pos_; // the closing quote
        while (pos_ < size && at(pos_) != u',' && !isLineEnd(at(pos_)))
            ++pos_;
    } else {
        value.start = pos_;
        while (pos_ < size && at(pos_) != u',' && !isLineEnd(at(pos_)))
            ++pos_;
        qsizetype end = pos_;
        while (end > value.start && isBlank(at(end - 1)))
            --end;
        value.size = end - value.start;
    }
    if (pos_ < size && at(pos_) == u',')
        ++pos_;
    else if (pos_ < size)
        skipLineEnd();
    return value;
}

template class ValueScanner<QStringView>;
template class ValueScanner<QByteArrayView>;

Value DelimitedReader::next()
{
    const Span span = scanner_.next();
    return {text_.sliced(span.start, span.size).toString(), span.line};
}

namespace {

template <typename View>
bool parseInt16In(View text, qint16 &value)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (unit(text[i]) == u'-' || unit(text[i]) == u'+'))
        negative = unit(text[i++]) == u'-';
    if (i == text.size())
        return false;
    qint32 magnitude = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = unit(text[i]);
        if (c < u'0' || c > u'9')
            return false;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > 32768)
            return false;
    }
    const qint32 result = negative ? -magnitude : magnitude;
    if (result > 32767)
        return false;
    value = qint16(result);
    return true;
}

} // namespace

bool parseInt16(QStringView text, qint16 &value)
{
    return parseInt16In(text, value);
}

bool parseInt16(QByteArrayView text, qint16 &value)
{
    return parseInt16In(text, value);
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
