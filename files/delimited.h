#pragma once
// Comma-separated values as the game's files hold them: numbers bare, texts in double
// quotes, read back value by value wherever the line breaks fall.
#include <QByteArrayView>
#include <QList>
#include <QString>
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
    explicit ValueScanner(View text) : text_(text) {}

    // True when only blanks and line ends remain.
    bool atEnd();
    // Where the next value lies; call only when !atEnd().
    Span next();
    // The line the scanner stands on, for messages about what is missing.
    int line() const { return line_; }
    // Where the scanner stands in the text.
    qsizetype position() const { return pos_; }

private:
    void skipBlankLines();
    void skipLineEnd();
    bool atLineEnd() const;
    char16_t at(qsizetype i) const;

    View text_;
    qsizetype pos_ = 0;
    int line_ = 1;
};

extern template class ValueScanner<QStringView>;
extern template class ValueScanner<QByteArrayView>;

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
bool parseInt16(QStringView text, qint16 &value);
bool parseInt16(QByteArrayView text, qint16 &value);

// One record: numbers bare, texts in double quotes, commas between, CR LF at the end.
using Field = std::variant<qint64, QString>;
QString formatRecord(const QList<Field> &fields);

} // namespace files
