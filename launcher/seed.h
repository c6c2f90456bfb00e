#pragma once
// Filling the player's data folder from the default files.
#include <QString>
#include <QStringList>

namespace launcher {

// The player's own files. Each is copied from the defaults only when the data folder has no
// file of that name (in any letter case, as the game finds it); an existing one is never
// touched. Every other default file (the help file) belongs to the program and is brought
// up to date whenever it differs.
inline const QStringList kPlayerFiles = {QStringLiteral("設定.txt"), QStringLiteral("辞書.txt"),
                                         QStringLiteral("履歴.txt")};

// Why the data folder takes no new file (in words for the player, naming it); empty when it does.
QString whyNoFileCanBeMade(const QString &dataDir);
// Whether one of the player's files is missing from the folder.
bool lacksPlayerFile(const QString &dataDir);

// Copies what is missing from `defaultsDir` into `dataDir`. Returns one message for each
// file that could not be put in place; the others are done all the same.
QStringList seedDataFolder(const QString &defaultsDir, const QString &dataDir);

} // namespace launcher
