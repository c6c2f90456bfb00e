// The history reader: records of nine values wherever the lines break, fields 4 to 6 as
// 16-bit numbers, a message naming the file on refusal, and a written record reads back.
// The reader at start-up works on the file's bytes with shortcuts of its own; it must
// agree, on every input, with the plain reader below, which decodes the whole file first
// and makes a string of every value, as the game did before.
#include "files/delimited.h"
#include "files/history.h"
#include "fuzzinput.h"
#include "platform/text/textfile.h"

namespace reference {

struct Value {
    QString text;
    int line = 0;
};

// The value reader as it was: one character at a time, a string per value.
class Reader {
public:
    explicit Reader(QStringView text) : text_(text) {}

    bool atEnd()
    {
        skipBlankLines();
        return pos_ >= text_.size();
    }
    int line() const { return line_; }

    Value next()
    {
        skipBlankLines();
        while (pos_ < text_.size() && isBlank(text_[pos_]))
            ++pos_;
        Value value;
        value.line = line_;
        if (pos_ < text_.size() && text_[pos_] == u'"') {
            const qsizetype start = ++pos_;
            while (pos_ < text_.size() && text_[pos_] != u'"') {
                if (text_[pos_] == u'\n'
                    || (text_[pos_] == u'\r' && (pos_ + 1 >= text_.size() || text_[pos_ + 1] != u'\n')))
                    ++line_;
                ++pos_;
            }
            value.text = text_.sliced(start, pos_ - start).toString();
            if (pos_ < text_.size())
                ++pos_;
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

private:
    static bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
    static bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }
    void skipLineEnd()
    {
        if (pos_ < text_.size() && text_[pos_] == u'\r')
            ++pos_;
        if (pos_ < text_.size() && text_[pos_] == u'\n')
            ++pos_;
        ++line_;
    }
    void skipBlankLines()
    {
        for (;;) {
            while (pos_ < text_.size() && isBlank(text_[pos_]))
                ++pos_;
            if (pos_ >= text_.size() || !isLineEnd(text_[pos_]))
                return;
            skipLineEnd();
        }
    }

    QStringView text_;
    qsizetype pos_ = 0;
    int line_ = 1;
};

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

// The history parser as it was.
bool parseHistory(QStringView text, const QString &fileName, QList<files::HistoryRecord> &records, QString &error)
{
    records.clear();
    Reader reader(text);
    while (!reader.atEnd()) {
        const int number = int(records.size()) + 1;
        if (number > files::kMaxHistoryRecords) {
            error = QStringLiteral("「%1」の記録が多すぎます（%2 行目）。読み込めるのは %3 件までです。")
                        .arg(fileName)
                        .arg(reader.line())
                        .arg(files::kMaxHistoryRecords);
            return false;
        }
        files::HistoryRecord record;
        for (int field = 0; field < 9; ++field) {
            if (reader.atEnd()) {
                error = QStringLiteral("「%1」の %2 件目の記録が途中で終わっています"
                                       "（%3 行目、値が 9 つ必要なところ %4 つ）。")
                            .arg(fileName)
                            .arg(number)
                            .arg(reader.line())
                            .arg(field);
                return false;
            }
            const Value value = reader.next();
            record[field] = value.text;
            if (field >= 3 && field <= 5) {
                qint16 n = 0;
                if (!parseInt16(value.text, n)) {
                    error = QStringLiteral("「%1」の %2 件目の記録（%3 行目）: %4 番目の値「%5」が "
                                           "-32768～32767 の整数ではありません。")
                                .arg(fileName)
                                .arg(number)
                                .arg(value.line)
                                .arg(field + 1)
                                .arg(value.text);
                    return false;
                }
                record[field] = QString::number(n);
            }
        }
        records.append(record);
    }
    return true;
}

} // namespace reference

namespace {

const QString kName = QStringLiteral("履歴.txt");

QString describe(bool ok, const QString &error, qsizetype records)
{
    return ok ? QStringLiteral("%1 records").arg(records) : error;
}

// The start-up reader on the file's bytes against decoding them whole and the plain parser.
void compareOnBytes(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-31j", QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    const bool decodes = !decoder.hasError();

    QString text, decodeError;
    FUZZ_CHECK(platform::decodeCp932(bytes, kName, text, decodeError) == decodes,
               u"decoding disagrees with the codec: "_qs + decodeError);
    FUZZ_CHECK(!decodes || text == decoded, u"decoded text differs from the codec's"_qs);

    QList<files::HistoryRecord> want;
    QString wantError;
    const bool wantOk =
        decodes ? reference::parseHistory(decoded, kName, want, wantError) : (wantError = decodeError, false);

    files::History history;
    QString error;
    const bool ok = platform::checkCp932(bytes, kName, error) && history.parse(bytes, kName, error);
    FUZZ_CHECK(ok == wantOk && (ok || error == wantError),
               QStringLiteral("bytes: got \"%1\", want \"%2\"")
                   .arg(describe(ok, error, history.count()), describe(wantOk, wantError, want.size())));
    if (!ok)
        return;
    FUZZ_CHECK(history.count() == want.size(), u"record count differs"_qs);
    for (int r = 0; r < history.count(); ++r) {
        for (int field = 0; field < 9; ++field)
            FUZZ_CHECK(history.field(r, field) == want[r][field],
                       QStringLiteral("record %1 field %2: \"%3\", want \"%4\"")
                           .arg(r + 1)
                           .arg(field + 1)
                           .arg(history.field(r, field), want[r][field]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    compareOnBytes(bytes);

    // The reader on text (any text, even what no file decodes to) against the plain parser.
    const QString text = fuzz::fileText(bytes);
    QList<files::HistoryRecord> records, want;
    QString error, wantError;
    const bool ok = files::parseHistory(text, kName, records, error);
    const bool wantOk = reference::parseHistory(text, kName, want, wantError);
    FUZZ_CHECK(ok == wantOk && (ok ? records == want : error == wantError),
               QStringLiteral("text: got \"%1\", want \"%2\"")
                   .arg(describe(ok, error, records.size()), describe(wantOk, wantError, want.size())));
    if (!ok) {
        FUZZ_CHECK(error.contains(kName), error);
        return 0;
    }
    FUZZ_CHECK(records.size() <= files::kMaxHistoryRecords, u"too many records accepted"_qs);

    for (const files::HistoryRecord &record : std::as_const(records)) {
        // Records the writer can produce: a whole number in field 3, no quote in the texts.
        bool isNumber = false;
        const int words = record[2].toInt(&isNumber);
        if (!isNumber || QString::number(words) != record[2])
            continue;
        bool quoted = false;
        for (int field : {0, 1, 6, 7, 8})
            quoted = quoted || record[field].contains(u'"');
        if (quoted)
            continue;
        const files::HistoryEntry entry{record[0],         record[1], words,     record[3].toInt(), record[4].toInt(),
                                        record[5].toInt(), record[6], record[7], record[8]};
        QList<files::HistoryRecord> again;
        FUZZ_CHECK(files::parseHistory(files::formatHistoryRecord(entry), kName, again, error), error);
        FUZZ_CHECK(again.size() == 1 && again.front() == record,
                   u"record reads back differently: "_qs + files::formatHistoryRecord(entry));
        // A saved game added in memory reads as the file would.
        if (!platform::isCp932Encodable(files::formatHistoryRecord(entry)))
            continue;
        files::History added;
        added.append(entry);
        for (int field = 0; field < 9; ++field)
            FUZZ_CHECK(added.count() == 1 && added.field(0, field) == record[field],
                       QStringLiteral("added record field %1 reads \"%2\"").arg(field + 1).arg(added.field(0, field)));
    }
    return 0;
}
