#include "settings.h"

#include "delimited.h"
#include "platform/text/textfile.h"

#include <QCoreApplication>

namespace files {

bool parseSettings(QStringView text, const QString &fileName, Settings &settings, QString &error)
{
    DelimitedReader reader(text);
    qint16 values[2] = {0, 0};
    const QString names[2] = {QCoreApplication::translate("Files", "プレイ秒数"),
                              QCoreApplication::translate("Files", "自動保存")};
    for (int i = 0; i < 2; ++i) {
        if (reader.atEnd()) {
            error = QCoreApplication::translate("Files",
                                                "「%1」に値が 2 つありません（プレイ秒数と自動保存の 2 つが必要です）。")
                        .arg(fileName);
            return false;
        }
        const Value value = reader.next();
        if (!parseInt16(value.text, values[i])) {
            error = QCoreApplication::translate("Files",
                                                "「%1」の %2 行目: %3の値「%4」が -32768～32767 の整数ではありません。")
                        .arg(fileName)
                        .arg(value.line)
                        .arg(names[i], value.text);
            return false;
        }
    }
    if (values[0] <= 0) {
        error = QCoreApplication::translate("Files", "「%1」: プレイ秒数 %2 は 1 以上でなければなりません。")
                    .arg(fileName)
                    .arg(values[0]);
        return false;
    }
    if (values[1] < 0 || values[1] > 2) {
        error = QCoreApplication::translate("Files", "「%1」: 自動保存の値 %2 は 0、1、2 のどれかでなければなりません。")
                    .arg(fileName)
                    .arg(values[1]);
        return false;
    }
    settings = {values[0], values[1]};
    return true;
}

bool readSettings(const QString &fileName, Settings &settings, QString &error)
{
    QString text;
    return platform::readTextFile(fileName, text, error) && parseSettings(text, fileName, settings, error);
}

QString formatSettings(const Settings &settings)
{
    return QStringLiteral("%1,%2\r\n").arg(settings.playTime).arg(settings.autoSave);
}

bool writeSettings(const QString &fileName, const Settings &settings, QString &error)
{
    return platform::rewriteTextFile(fileName, formatSettings(settings), error);
}

} // namespace files
