#include "history.h"

#include "delimited.h"
#include "platform/textfile.h"

namespace files {

bool parseHistory(QStringView text, const QString &fileName, QList<HistoryRecord> &records,
                  QString &error)
{
    records.clear();
    DelimitedReader reader(text);
    while (!reader.atEnd()) {
        const int number = int(records.size()) + 1;
        if (number > kMaxHistoryRecords) {
            error = QStringLiteral("「%1」の記録が多すぎます（%2 行目）。読み込めるのは %3 件までです。")
                        .arg(fileName)
                        .arg(reader.line())
                        .arg(kMaxHistoryRecords);
            return false;
        }
        HistoryRecord record;
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

bool readHistory(const QString &fileName, QList<HistoryRecord> &records, QString &error)
{
    QString text;
    return platform::readTextFile(fileName, text, error)
        && parseHistory(text, fileName, records, error);
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
    return QStringLiteral("「%1」の記録が %2 件になったため、これ以上保存できません。"
                          "クリアで履歴を空にすると、また保存できます。")
        .arg(fileName)
        .arg(kMaxHistoryRecords);
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
