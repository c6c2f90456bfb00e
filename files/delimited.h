#pragma once
// Comma-separated values as the game's files hold them: numbers bare, texts in double
// quotes, read back value by value wherever the line breaks fall.
#include <QList>
#include <QString>
#include <variant>

namespace files {

struct Value {
    QString text;
    int line = 0; // 1-based line on which the value begins
};

// Reading rules: blanks before a value are skipped; a value ends at a comma or at the end
// of a line (CR LF, LF or CR); a value that begins with a double quote runs to the next
// double quote, may hold commas and line ends, and is taken without the quotes (anything
// after it up to the next comma or line end is ignored); trailing blanks of a bare value
// are dropped. Line ends between values, and lines holding nothing but blanks, give no
// value, so the line end after the last value, and a missing one, read the same.
class DelimitedReader {
public:
    explicit DelimitedReader(QStringView text);

    // True when only blanks and line ends remain.
    bool atEnd();
    // The next value; call only when !atEnd().
    Value next();
    // The line the reader stands on, for messages about what is missing.
    int line() const { return line_; }

private:
    void skipBlankLines();
    void skipLineEnd();
    bool atLineEnd() const;

    QStringView text_;
    qsizetype pos_ = 0;
    int line_ = 1;
};

// Parses a whole number that fits 16 bits: optional sign, digits, nothing else.
bool parseInt16(const QString &text, qint16 &value);

// One record: numbers bare, texts in double quotes, commas between, CR LF at the end.
using Field = std::variant<qint64, QString>;
QString formatRecord(const QList<Field> &fields);

} // namespace files
