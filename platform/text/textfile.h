#pragma once
// The game's text files: CP932 (Microsoft's Shift_JIS table), lines ended by CR LF,
// opened by bare names in the working folder. Files of our own making may be UTF-8.
#include <QByteArray>
#include <QIODevice>
#include <QString>

class QFileDevice;

namespace platform {

enum class TextEncoding { Cp932, Utf8 };

// Why an operation on the file failed: the common causes (missing, a folder, no permission,
// a read-only drive, a full disk) in our own words, Qt's text for the rest.
QString fileErrorReason(const QFileDevice &device);

// Opens a file as every reader and writer here does: a named pipe, a device or a socket is
// refused before open(), which would wait for a writer or never reach an end. The reason
// for a refusal, as for any failure, is fileErrorReason().
bool openRegularFile(QFileDevice &file, QIODevice::OpenMode mode);

// The name of an existing file in the folder that matches `name` without regard to
// letter case ("辞書.TXT" finds "辞書.txt"), or `name` itself when none does.
QString resolveFileName(const QString &name);

// Decodes CP932. On bytes that are not CP932, returns false and sets `error` to a
// message that names `fileName`, the line and the byte offset.
bool decodeCp932(const QByteArray &bytes, const QString &fileName, QString &text, QString &error);

// Encodes CP932. A character that CP932 cannot hold is never replaced: returns false
// and sets `error` to a message that names `fileName` and the character.
bool encodeCp932(const QString &text, const QString &fileName, QByteArray &bytes, QString &error);

// Whether CP932 can hold every character of the text.
bool isCp932Encodable(const QString &text);

// Reads and decodes a whole file (CP932). A missing or unreadable file is an error too.
bool readTextFile(const QString &name, QString &text, QString &error);

// Reads a whole file as stored, for readers that scan the bytes and decode only what they
// show; checkCp932 then refuses what readTextFile would, with the same message.
bool readFileBytes(const QString &name, QByteArray &bytes, QString &error);
bool checkCp932(const QByteArray &bytes, const QString &fileName, QString &error);
// Decodes bytes already checked.
QString fromCp932(QByteArrayView bytes);

// Replaces the file's content whole and atomically: after a failure or a crash the file
// holds either its old or its new content, never a part.
bool rewriteTextFile(const QString &name, const QString &text, QString &error,
                     TextEncoding encoding = TextEncoding::Cp932);
// The same with bytes already encoded, for a rewrite that keeps the file's own bytes.
bool rewriteFileBytes(const QString &name, const QByteArray &bytes, QString &error);

// Settles what an append stopped by a crash left, as every read and write does first: for a
// reader that looks at the file by itself. False, with `error` set, when it cannot.
bool settleInterruptedAppend(const QString &name, QString &error);

// Appends text (whole lines, each ended by CR LF) in one write, flushed before return;
// creates the file when missing. If the file's last line lacks its line end, or ends in a
// bare CR, the line end is made whole first so the new line never joins it. Nothing is
// written when the text cannot be encoded. `firstLine` goes before the text when the file
// is new or empty, in the same write.
bool appendTextFile(const QString &name, const QString &text, QString &error,
                    TextEncoding encoding = TextEncoding::Cp932, const QString &firstLine = {});

} // namespace platform
