#include "history.h"

#include "delimited.h"
#include "platform/text/textfile.h"

#include <QCoreApplication>

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

// The end of a record exactly as formatHistoryRecord writes it, fields 4 to 6 within 16
// bits: "t","t",n,n,n,n,"t","t","t" CR LF, no text holding a quote, blank, line end or
// control character, each number plain digits, perhaps after a minus. The reading rules
// give such a record's nine values as written, so it is only checked; -1 for anything
// else, which is read value by value.
qsizetype endOfWritten(QByteArrayView text, qsizetype i)
{
    const auto *d = reinterpret_cast<const uchar *>(text.data());
    const qsizetype n = text.size();
    const auto quoted = [&](uchar then) {
        if (i >= n || d[i] != '"')
            return false;
        i = findBelow(d, n, i + 1, uchar('"' + 1));
        if (i + 1 >= n || d[i] != '"' || d[i + 1] != then)
            return false;
        i += 2;
        return true;
    };
    const auto number = [&](bool sixteenBits) {
        const bool negative = i < n && d[i] == '-';
        qsizetype k = i + negative;
        int magnitude = 0;
        for (; k < n && d[k] >= '0' && d[k] <= '9'; ++k) {
            magnitude = magnitude * 10 + (d[k] - '0');
            if (magnitude > 32768)
                magnitude = 32769; // too large for 16 bits, and stays so
        }
        if (k == i + negative || k >= n || d[k] != ',' || (sixteenBits && magnitude > 32767 + negative))
            return false;
        i = k + 1;
        return true;
    };
    if (quoted(',') && quoted(',') && number(false) && number(true) && number(true) && number(true) && quoted(',')
        && quoted(',') && quoted('\r') && i < n && d[i] == '\n')
        return i + 1;
    return -1;
}

// Checks every record in one pass, making no string unless it refuses one, and hands each
// record's values (none for one read whole) and end to `keep`.
template <typename View, typename Keep>
bool scanRecords(View text, const QString &fileName, QString &error, Keep keep)
{
    ValueScanner<View> scanner(text);
    std::array<Span, 9> values;
    for (int number = 1; !scanner.atEnd(); ++number) {
        if (number > kMaxHistoryRecords) {
            error = QCoreApplication::translate("Files",
                                                "「%1」の記録が多すぎます（%2 行目）。読み込めるのは %3 件までです。")
                        .arg(fileName)
                        .arg(scanner.line())
                        .arg(kMaxHistoryRecords);
            return false;
        }
        if constexpr (std::is_same_v<View, QByteArrayView>) {
            const qsizetype end = endOfWritten(text, scanner.position());
            if (end >= 0) {
                scanner.skipTo(end, 1);
                keep(nullptr, end);
                continue;
            }
        }
        for (int field = 0; field < 9; ++field) {
            if (scanner.atEnd()) {
                error = QCoreApplication::translate("Files",
                                                    "「%1」の %2 件目の記録が途中で終わっています"
                                                    "（%3 行目、値が 9 つ必要なところ %4 つ）。")
                            .arg(fileName)
                            .arg(number)
                            .arg(scanner.line())
                            .arg(field);
                return false;
            }
            const Span value = values[field] = scanner.next();
            qint16 n = 0;
            if (isNumberField(field) && !parseInt16(slice(text, value), n)) {
                error = QCoreApplication::translate("Files",
                                                    "「%1」の %2 件目の記録（%3 行目）: %4 番目の値「%5」が "
                                                    "-32768～32767 の整数ではありません。")
                            .arg(fileName)
                            .arg(number)
                            .arg(value.line)
                            .arg(field + 1)
                            .arg(toText(slice(text, value)));
                return false;
            }
        }
        keep(&values, scanner.position());
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

bool parseHistory(QStringView text, const QString &fileName, QList<HistoryRecord> &records, QString &error)
{
    records.clear();
    return scanRecords(text, fileName, error, [&](const std::array<Span, 9> *values, qsizetype) {
        HistoryRecord record;
        for (int field = 0; field < 9; ++field)
            record[field] = fieldText(text, (*values)[field], field);
        records.append(record);
    });
}

bool readHistory(const QString &fileName, QList<HistoryRecord> &records, QString &error)
{
    QString text;
    return platform::readTextFile(fileName, text, error) && parseHistory(text, fileName, records, error);
}

bool History::parse(const QByteArray &bytes, const QString &fileName, QString &error)
{
    QList<qsizetype> starts{0};
    if (!scanRecords(QByteArrayView(bytes), fileName, error,
                     [&](const std::array<Span, 9> *, qsizetype end) { starts.append(end); }))
        return false;
    bytes_ = bytes;
    starts_ = std::move(starts);
    return true;
}

bool History::read(const QString &fileName, QString &error)
{
    QByteArray bytes;
    return platform::readFileBytes(fileName, bytes, error) && platform::checkCp932(bytes, fileName, error)
        && parse(bytes, fileName, error);
}

QString History::field(int record, int field) const
{
    if (record < 0 || record >= count() || field < 0 || field >= 9)
        return {};
    const QByteArrayView text = QByteArrayView(bytes_).sliced(starts_[record], starts_[record + 1] - starts_[record]);
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

std::optional<int> History::playSeconds(int record) const
{
    QString seconds = field(record, 8);
    if (seconds.endsWith(u'秒'))
        seconds.chop(1);
    bool ok = false;
    const int n = seconds.toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

QString formatPlayTime(int seconds)
{
    return QString::number(seconds) + u'秒';
}

void History::clear()
{
    bytes_.clear();
    starts_ = {0};
}

bool countHistory(const QString &fileName, int &count, QString &error)
{
    QString text;
    if (!platform::readTextFile(fileName, text, error))
        return false;
    qint64 values = 0;
    for (DelimitedReader reader(text); !reader.atEnd(); reader.next())
        ++values;
    count = int((values + 8) / 9);
    return true;
}

QString historyFullMessage(const QString &fileName)
{
    return QCoreApplication::translate("Files",
                                       "「%1」の記録が %2 件になったため、これ以上保存できません。"
                                       "クリアで履歴を空にすると、また保存できます。")
        .arg(fileName)
        .arg(kMaxHistoryRecords);
}

QString formatHistoryRecord(const HistoryEntry &e)
{
    return formatRecord(
        {e.date, e.time, qint64(e.words), qint64(e.ok), qint64(e.ng), qint64(e.moji), e.accuracy, e.speed, e.playTime});
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
