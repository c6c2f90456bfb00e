#pragma once
// Comma-separated values as the game's files hold them: numbers bare, texts in double
// quotes, read back value by value wherever the line breaks fall.
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QtEndian>
#include <type_traits>
#include <variant>

namespace files {

struct Value {
    QString text;
    int line = 0; // 1-based line on which the value begins
};

// Where a value lies in the text it was read from.
struct Span {
    qsizetype start = 0;
    qsizetype size = 0;
    int line = 0; // 1-based line on which the value begins
};

// The first unit of data[i, size) below `limit`, or size: eight bytes at a time where they
// fit, so the end of a value costs no branch per character. Units are bytes or UTF-16.
template <typename Unit>
qsizetype findBelow(const Unit *data, qsizetype size, qsizetype i, Unit limit)
{
    constexpr int kBits = 8 * sizeof(Unit);
    constexpr quint64 kOnes = sizeof(Unit) == 1 ? 0x0101010101010101u : 0x0001000100010001u;
    constexpr quint64 kHigh = kOnes << (kBits - 1);
    constexpr qsizetype kUnits = 8 / sizeof(Unit);
    for (; i + kUnits <= size; i += kUnits) {
        quint64 word = 0; // the first unit in the lowest bits
        if constexpr (sizeof(Unit) == 1) {
            word = qFromLittleEndian<quint64>(data + i);
        } else {
            for (int k = 3; k >= 0; --k)
                word = word << 16 | data[i + k];
        }
        // Flags the units below the limit; the lowest flag is always a true one.
        const quint64 below = (word - kOnes * limit) & ~word & kHigh;
        if (below)
            return i + qCountTrailingZeroBits(below) / kBits;
    }
    while (i < size && data[i] >= limit)
        ++i;
    return i;
}

// Reading rules: blanks before a value are skipped; a value ends at a comma or at the end
// of a line (CR LF, LF or CR); a value that begins with a double quote runs to the next
// double quote, may hold commas and line ends, and is taken without the quotes (anything
// after it up to the next comma or line end is ignored); trailing blanks of a bare value
// are dropped. Line ends between values, and lines holding nothing but blanks, give no
// value, so the line end after the last value, and a missing one, read the same.
//
// The scanner finds the values without copying them, in decoded text or in CP932 bytes:
// blanks, commas, quotes and line ends are bytes below 0x40, which CP932 never uses inside
// a two-byte character.
template <typename View>
class ValueScanner {
public:
    explicit ValueScanner(View text) : data_(reinterpret_cast<const Unit *>(text.data())), size_(text.size()) {}

    // True when only blanks and line ends remain; else stands on the next value.
    bool atEnd()
    {
        skipBlankLines();
        return pos_ >= size_;
    }
    // Where the next value lies; call only when atEnd() has just said false.
    Q_ALWAYS_INLINE Span next();
    // Moves on to `pos`, past `lines` line ends, for a reader that checked that stretch itself.
    void skipTo(qsizetype pos, int lines)
    {
        pos_ = pos;
        line_ += lines;
    }
    // The line the scanner stands on, for messages about what is missing.
    int line() const { return line_; }
    // Where the scanner stands in the text.
    qsizetype position() const { return pos_; }

private:
    using Unit = std::conditional_t<std::is_same_v<View, QByteArrayView>, uchar, char16_t>;

    static bool isBlank(Unit c) { return c == ' ' || c == '\t'; }
    static bool isLineEnd(Unit c) { return c == '\r' || c == '\n'; }
    // Steps over CR LF, LF or CR at i, counting the line.
    void skipLineEnd(qsizetype &i, int &line) const
    {
        if (i < size_ && data_[i] == '\r')
            ++i;
        if (i < size_ && data_[i] == '\n')
            ++i;
        ++line;
    }
    void skipBlankLines()
    {
        // The loops work on copies: a write through the scanner could alias the text.
        qsizetype i = pos_;
        int line = line_;
        for (;;) {
            while (i < size_ && isBlank(data_[i]))
                ++i;
            if (i >= size_ || !isLineEnd(data_[i]))
                break;
            skipLineEnd(i, line);
        }
        pos_ = i;
        line_ = line;
    }

    const Unit *data_;
    qsizetype size_;
    qsizetype pos_ = 0;
    int line_ = 1;
};

template <typename View>
Q_ALWAYS_INLINE Span ValueScanner<View>::next()
{
    const Unit *const d = data_;
    const qsizetype n = size_;
    qsizetype i = pos_;
    int line = line_;
    Span value{i, 0, line};
    if (i < n && d[i] == '"') {
        value.start = ++i;
        for (;;) {
            // Only a quote or a line end stops here, and both sort below '#'.
            i = findBelow(d, n, i, Unit('"' + 1));
            if (i >= n || d[i] == '"')
                break;
            if (d[i] == '\n' || (d[i] == '\r' && (i + 1 >= n || d[i + 1] != '\n')))
                ++line;
            ++i;
        }
        value.size = i - value.start;
        if (i < n)
            ++i; // the closing quote
        while (i < n && d[i] != ',' && !isLineEnd(d[i]))
            ++i;
    } else {
        // A comma or a line end ends it, and both sort below '-'.
        for (i = findBelow(d, n, i, Unit(',' + 1)); i < n && d[i] != ',' && !isLineEnd(d[i]);)
            i = findBelow(d, n, i + 1, Unit(',' + 1));
        qsizetype end = i;
        while (end > value.start && isBlank(d[end - 1]))
            --end;
        value.size = end - value.start;
    }
    if (i < n && d[i] == ',')
        ++i;
    else if (i < n)
        skipLineEnd(i, line);
    pos_ = i;
    line_ = line;
    return value;
}

// The values of a text as strings.
class DelimitedReader {
public:
    explicit DelimitedReader(QStringView text) : text_(text), scanner_(text) {}

    bool atEnd() { return scanner_.atEnd(); }
    // The next value; call only when !atEnd().
    Value next();
    int line() const { return scanner_.line(); }

private:
    QStringView text_;
    ValueScanner<QStringView> scanner_;
};

// Parses a whole number that fits 16 bits: optional sign, digits, nothing else.
template <typename View>
Q_ALWAYS_INLINE bool parseInt16(View text, qint16 &value)
{
    const auto unit = [&text](qsizetype i) -> char16_t {
        if constexpr (std::is_same_v<View, QByteArrayView>)
            return uchar(text[i]);
        else
            return text[i].unicode();
    };
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (unit(i) == u'-' || unit(i) == u'+'))
        negative = unit(i++) == u'-';
    if (i == text.size())
        return false;
    qint32 magnitude = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = unit(i);
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
inline bool parseInt16(const QString &text, qint16 &value)
{
    return parseInt16(QStringView(text), value);
}

// One record: numbers bare, texts in double quotes, commas between, CR LF at the end.
using Field = std::variant<qint64, QString>;
QString formatRecord(const QList<Field> &fields);

} // namespace files
