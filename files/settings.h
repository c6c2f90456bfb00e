#pragma once
#include <QString>

namespace files {

inline const QString kSettingsFile = QStringLiteral("設定.txt");

struct Settings {
    qint16 playTime = 0; // seconds
    qint16 autoSave = 0; // 0 unchecked, 1 checked, 2 greyed
};

// The first two values of the text; the rest is ignored. Refuses fewer than two values,
// values that are not 16-bit whole numbers, a play time of 0 or less (every figure of
// a game divides by it) and an auto-save value other than 0, 1 or 2.
bool parseSettings(QStringView text, const QString &fileName, Settings &settings, QString &error);
bool readSettings(const QString &fileName, Settings &settings, QString &error);

// "60,1" CR LF.
QString formatSettings(const Settings &settings);
bool writeSettings(const QString &fileName, const Settings &settings, QString &error);

} // namespace files
