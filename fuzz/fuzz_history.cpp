// The history reader: records of nine values wherever the lines break, fields 4 to 6 as
// 16-bit numbers, a message naming the file on refusal, and a written record reads back.
#include "files/delimited.h"
#include "files/history.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString name = QStringLiteral("履歴.txt");
    const QString text = fuzz::fileText(fuzz::bytes(data, size));

    QList<files::HistoryRecord> records;
    QString error;
    if (!files::parseHistory(text, name, records, error)) {
        FUZZ_CHECK(error.contains(name), error);
        return 0;
    }
    FUZZ_CHECK(records.size() <= files::kMaxHistoryRecords, u"too many records accepted"_qs);

    for (const files::HistoryRecord &record : std::as_const(records)) {
        for (int field = 3; field <= 5; ++field) {
            qint16 n = 0;
            FUZZ_CHECK(files::parseInt16(record[field], n) && QString::number(n) == record[field],
                       QStringLiteral("field %1 kept as \"%2\"").arg(field + 1).arg(record[field]));
        }
        // Records the writer can produce: a whole number in field 3, no quote in the texts.
        bool ok = false;
        const int words = record[2].toInt(&ok);
        if (!ok || QString::number(words) != record[2])
            continue;
        bool quoted = false;
        for (int field : {0, 1, 6, 7, 8})
            quoted = quoted || record[field].contains(u'"');
        if (quoted)
            continue;
        const files::HistoryEntry entry{record[0], record[1], words, record[3].toInt(),
                                        record[4].toInt(), record[5].toInt(), record[6],
                                        record[7], record[8]};
        QList<files::HistoryRecord> again;
        FUZZ_CHECK(files::parseHistory(files::formatHistoryRecord(entry), name, again, error), error);
        FUZZ_CHECK(again.size() == 1 && again.front() == record,
                   u"record reads back differently: "_qs + files::formatHistoryRecord(entry));
    }
    return 0;
}
