#include "history.h"

#include "delimited.h"
#include "platform/textfile.h"

namespace files {
namespace {

QStringView slice(QStringView text, const Span &span)
{
    return text.sliced(span.start, span.size);
}

QByteArrayView slice(QByteArrayView bytes, const Span &span)
{
    return bytes.sliced(span.start, span.size);
}

QString toText(QStringView text)
{
    return text.toString();
}

QString toText(QByteArrayView bytes)
{
    return platform::fromCp932(bytes);
}

bool isNumberField(int field)
{
    return field >= 3 && field <= 5;
}

// Checks every record in one pass, making no string unless it refuses one, and hands each
// record's values and end to `keep`.
template <typename View, typename Keep>
bool scanRecords(View text, const QString &fileName, QString &error, Keep keep)
{
    ValueScanner<View> scanner(text);
    std::array<Span, 9> values;
    for (int number = 1; !scanner.atEnd(); ++number) {
        if (number > kMaxHistoryRecords) {
            error = QStringLiteral("「%1」の記録が多すぎます（%2 行目）。読み込めるのは %3 件までです。")
                        .arg(fileName)
                        .arg(scanner.line())
                        .arg(kMaxHistoryRecords);
            return false;
        }
        // Records as the game writes them are read whole; the checks below stay the same.
        const bool plain = scanner.nextPlain(values.data(), 9);
        for (int field = 0; field < 9; ++field) {
            if (!plain && scanner.atEnd()) {
                error = QStringLiteral("「%1」の %2 件目の記録が途中で終わっています"
                                       "（%3 行目、値が 9 つ必要なところ %4 つ）。")
                            .arg(fileName)
                            .arg(number)
                            .arg(scanner.line())
                            .arg(field);
                return false;
            }
            if (!plain)
                values[field] = scanner.next();
            const Span &value = values[field];
            qint16 n = 0;
            if (isNumberField(field) && !parseInt16(slice(text, value), n)) {
                error = QStringLiteral("「%1」の %2 件目の記録（%3 行目）: %4 番目の値「%5」が "
                                       "-32768～32767 の整数ではありません。")
                            .arg(fileName)
                            .arg(number)
                            .arg(value.line)
                            .arg(field + 1)
                            .arg(toText(slice(text, value)));
                return false;
            }
        }
        keep(values, scanner.position());
    }
    return true;
}

// A checked value as the grid shows it: numbers in their plain decimal form.
template <typename View>
QString fieldText(View text, const Span &value, int field)
{
    qint16 n = 0;
    if (isNumberField(field) && parseInt16(slice(text, value), n))
        return QString::number(n);
    return toText(slice(text, value));
}

} // namespace

bool parseHistory(QStringView text, const QString &fileName, QList<HistoryRecord> &records,
                  QString &error)
{
    records.clear();
    return scanRecords(text, fileName, error, [&](const std::array<Span, 9> &values, qsizetype) {
        HistoryRecord record;
        for (int field = 0; field < 9; ++field)
            record[field] = fieldText(text, values[field], field);
        records.append(record);
    });
}

bool readHistory(const QString &fileName, QList<HistoryRecord> &records, QString &error)
{
    QString text;
    return platform::readTextFile(fileName, text, error)
        && parseHistory(text, fileName, records, error);
}

bool History::parse(const QByteArray &bytes, const QString &fileName, QString &error)
{
    QList<qsizetype> starts{0};
    if (!scanRecords(QByteArrayView(bytes), fileName, error,
                     [&](const std::array<Span, 9> &, qsizetype end) { starts.append(end); }))
        return false;
    bytes_ = bytes;
    starts_ = std::move(starts);
    return true;
}

bool History::read(const QString &fileName, QString &error)
{
    QByteArray bytes;
    return platform::readFileBytes(fileName, bytes, error)
        && platform::checkCp932(bytes, fileName, error) && parse(bytes, fileName, error);
}

QString History::field(int record, int field) const
{
    if (record < 0 || record >= count() || field < 0 || field >= 9)
        return {};
    const QByteArrayView text =
        QByteArrayView(bytes_).sliced(starts_[record], starts_[record + 1] - starts_[record]);
    ValueScanner<QByteArrayView> scanner(text);
    Span value;
    for (int i = 0; i <= field && !scanner.atEnd(); ++i)
        value = scanner.next();
    return fieldText(text, value, field);
}

void History::append(const HistoryEntry &entry)
{
    // The file took the same text, so it encodes.
    QByteArray record;
    QString error;
    if (!platform::encodeCp932(formatHistoryRecord(entry), kHistoryFile, record, error))
        return;
    bytes_ += record;
    starts_.append(bytes_.size());
}

void History::clear()
{
    bytes_.clear();
    starts_ = {0};
}

QString formatHistoryRecord(const HistoryEntry &e)
{
    return formatRecord({e.date, e.time, qint64(e.words), qint64(e.ok), qint64(e.ng), qint64(e.moji),
                         e.accuracy, e.speed, e.playTime});
}

bool appendHistoryRecord(const QString &fileName, const HistoryEntry &entry, QString &error)
{
    return platform::appendTextFile(fileName, formatHistoryRecord(entry), error);
}

bool clearHistory(const QString &fileName, QString &error)
{
    return platform::rewriteTextFile(fileName, QString(), error);
}

} // namespace files
