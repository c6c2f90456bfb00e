#include "textfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>

#include <array>
#include <memory>

#include <algorithm>

namespace platform {
namespace {

constexpr const char *kCodec = "windows-31j";

bool decodesCleanly(QByteArrayView bytes)
{
    QStringDecoder decoder(kCodec, QStringDecoder::Flag::Stateless);
    const QString ignored = decoder.decode(bytes);
    return !decoder.hasError();
}

// CP932 as Qt's codec decodes it, each character asked for once and remembered: the codec
// costs some 25 instructions a byte, and a file repeats few characters. Bytes 0x81-0x9F and
// 0xE0-0xFC begin a two-byte character, any other byte is one of its own; a character the
// codec refuses, or does not decode to exactly one UTF-16 unit, stops the fast way, and the
// codec then reads the whole text itself, so the result is always the codec's.
class Cp932Cache {
public:
    Cp932Cache()
    {
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
            singles_[b] = lead ? kLead : ask(QByteArrayView(&byte, 1));
            asciiValid_ = asciiValid_ && (b >= 0x80 || singles_[b] != kRefused);
        }
    }

    // Decodes into `out` (room for one unit a byte); the units written, or -1 where the
    // fast way stops.
    qsizetype decode(QByteArrayView bytes, char16_t *out)
    {
        const auto *d = reinterpret_cast<const uchar *>(bytes.data());
        const qsizetype n = bytes.size();
        char16_t *const start = out;
        for (qsizetype i = 0; i < n;) {
            const char16_t c = next(d, n, i);
            if (c == kRefused)
                return -1;
            *out++ = c;
        }
        return out - start;
    }

    // Whether the fast way reads all of the bytes.
    bool check(QByteArrayView bytes)
    {
        const auto *d = reinterpret_cast<const uchar *>(bytes.data());
        const qsizetype n = bytes.size();
        for (qsizetype i = 0; i < n;) {
            // On to the next byte above ASCII, eight bytes at a time.
            while (asciiValid_ && i + 8 <= n) {
                const quint64 high = qFromLittleEndian<quint64>(d + i) & 0x8080808080808080u;
                if (high) {
                    i += qCountTrailingZeroBits(high) / 8;
                    break;
                }
                i += 8;
            }
            if (i < n && next(d, n, i) == kRefused)
                return false;
        }
        return true;
    }

private:
    // No CP932 character decodes to U+FFFE or U+FFFF.
    static constexpr char16_t kUnknown = 0, kLead = 0xFFFE, kRefused = 0xFFFF;

    // A decoder of its own each time: one that has refused bytes may take later ones.
    static char16_t ask(QByteArrayView bytes)
    {
        QStringDecoder decoder(kCodec, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(bytes);
        return decoder.hasError() || text.size() != 1 || text[0].unicode() >= kLead ? kRefused : text[0].unicode();
    }
    // The character at i, stepping over it.
    char16_t next(const uchar *d, qsizetype n, qsizetype &i)
    {
        const char16_t single = singles_[d[i]];
        if (single != kLead) {
            ++i;
            return single;
        }
        if (i + 1 >= n)
            return kRefused;
        char16_t &c = pairs_[d[i] << 8 | d[i + 1]];
        if (c == kUnknown) {
            const char bytes[2] = {char(d[i]), char(d[i + 1])};
            c = ask(QByteArrayView(bytes, 2));
        }
        i += 2;
        return c;
    }

    std::array<char16_t, 256> singles_{};
    std::array<char16_t, 0x10000> pairs_{};
    bool asciiValid_ = true;
};

Cp932Cache &cp932Cache()
{
    thread_local std::unique_ptr<Cp932Cache> cache; // made where files are read, not in every thread
    if (!cache)
        cache = std::make_unique<Cp932Cache>();
    return *cache;
}

// The first byte at which the data stops being CP932: the shortest failing prefix, found
// by halving (a prefix that fails keeps failing as it grows).
qsizetype firstBadByte(const QByteArray &bytes)
{
    qsizetype good = 0, bad = bytes.size();
    while (bad - good > 1) {
        const qsizetype mid = good + (bad - good) / 2;
        if (decodesCleanly(QByteArrayView(bytes).first(mid)))
            good = mid;
        else
            bad = mid;
    }
    // A lead byte is only found wrong with the byte after it: point at the lead byte.
    if (bad >= 2 && quint8(bytes[bad - 1]) < 0x80 && quint8(bytes[bad - 2]) >= 0x80)
        return bad - 2;
    return bad - 1;
}

// Encodes, and checks that the bytes read back as the same text: the table maps some
// characters one way only (a private-use character becomes the bytes of "№"), and those
// must be refused like characters it cannot hold at all.
bool encodesFaithfully(const QString &text, QByteArray *bytes)
{
    QStringEncoder encoder(kCodec, QStringEncoder::Flag::Stateless);
    const QByteArray encoded = encoder.encode(text);
    if (encoder.hasError())
        return false;
    QStringDecoder decoder(kCodec, QStringDecoder::Flag::Stateless);
    const QString back = decoder.decode(encoded);
    if (decoder.hasError() || back != text)
        return false;
    if (bytes)
        *bytes = encoded;
    return true;
}

QString quoted(const QString &name)
{
    return u'「' + name + u'」';
}

// Sets the message for a file operation that failed, with the reason; false.
bool failed(QString &error, const QString &name, const char *what, const QFileDevice &device)
{
    error = QStringLiteral("%1 %2: %3")
                .arg(quoted(name), QCoreApplication::translate("TextFile", what), fileErrorReason(device));
    return false;
}

// While a line is appended, "<file>.append" describes the append: the file's size before it,
// the bytes that ended the file then and the bytes being appended. A program stopped in the
// middle of an append (killed, crashed) leaves the note behind, and the next access cuts the
// file back to that size: a line is either wholly in the file or not at all. A note that no
// longer describes the file (edited by hand since) is set aside under a dated name and the
// file is left as it is.
QString appendNote(const QString &path)
{
    return path + QStringLiteral(".append");
}

// How much of the file before the append the note keeps, to recognise the file by.
constexpr qint64 kNoteTailBytes = 32;

QByteArray appendNoteText(qint64 size, const QByteArray &tail, const QByteArray &bytes)
{
    return QByteArray::number(size) + ' ' + QByteArray::number(tail.size()) + ' ' + QByteArray::number(bytes.size())
        + "\r\n" + tail + bytes;
}

// Whether the file is still its old tail at `size`, then all or a first part of `bytes`.
bool endsWithInterruptedAppend(QFile &file, qint64 size, const QByteArray &tail, const QByteArray &bytes)
{
    const qint64 now = file.exists() ? file.size() : -1;
    if (now < size || now - size > bytes.size() || tail.size() > size || !openRegularFile(file, QIODevice::ReadOnly))
        return false;
    const qint64 from = size - tail.size();
    const bool same = file.seek(from) && file.read(now - from) == tail + bytes.first(now - size);
    file.close();
    return same;
}

bool undoInterruptedAppend(const QString &path, const QString &name, QString &error)
{
    QFile note(appendNote(path));
    if (!note.exists())
        return true;
    if (!openRegularFile(note, QIODevice::ReadOnly))
        return failed(error, name, QT_TRANSLATE_NOOP("TextFile", "の書きかけの行の記録を読めません"), note);
    const QByteArray text = note.readAll();
    note.close();

    const qsizetype headerEnd = text.indexOf("\r\n");
    const QList<QByteArray> header = text.first(std::max<qsizetype>(headerEnd, 0)).split(' ');
    bool ok = header.size() == 3;
    const qint64 size = ok ? header[0].toLongLong(&ok) : 0;
    const qint64 tailSize = ok ? header[1].toLongLong(&ok) : 0;
    const qint64 bytesSize = ok ? header[2].toLongLong(&ok) : 0;
    ok = ok && size >= 0 && tailSize >= 0 && bytesSize >= 0;
    const qint64 noteSize = headerEnd + 2 + tailSize + bytesSize;
    // A note cut short was written before the append began: the file is untouched, the note only goes.
    if (headerEnd < 0 || (ok && text.size() < noteSize)) {
        if (!note.remove())
            return failed(error, name, QT_TRANSLATE_NOOP("TextFile", "の書きかけの行の記録を消せません"), note);
        return true;
    }

    QFile file(path);
    if (ok && text.size() == noteSize
        && endsWithInterruptedAppend(file, size, text.sliced(headerEnd + 2, tailSize),
                                     text.sliced(headerEnd + 2 + tailSize))) {
        if (file.size() > size && !file.resize(size))
            return failed(error, name, QT_TRANSLATE_NOOP("TextFile", "の書きかけの行を取り除けません"), file);
        if (!note.remove())
            return failed(error, name, QT_TRANSLATE_NOOP("TextFile", "の書きかけの行の記録を消せません"), note);
        return true;
    }
    const QString aside =
        appendNote(path) + u'.' + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    if (!note.rename(aside))
        return failed(error, name, QT_TRANSLATE_NOOP("TextFile", "の書きかけの行の記録を移せません"), note);
    return true;
}

} // namespace

QString fileErrorReason(const QFileDevice &device)
{
    const QFileInfo file(device.fileName());
    // The folder by the name the file was given: Qt can't spell back every absolute path
    // (a folder name that isn't UTF-8).
    const QFileInfo folder(file.path());
    const QStorageInfo storage(file.path());
    // From the file's state, in the order a cause hides the next one.
    if (file.isDir())
        return QCoreApplication::translate("TextFile", "同じ名前のフォルダがあります。");
    if (file.exists() && !file.isFile())
        return QCoreApplication::translate("TextFile",
                                           "ふつうのファイルではありません（名前付きパイプやデバイスなど）。");
    if (!folder.isDir())
        return QCoreApplication::translate("TextFile", "入れるフォルダがありません。");
    if (file.exists() && !file.isReadable())
        return QCoreApplication::translate("TextFile", "読む権限がありません。");
    if (device.error() == QFileDevice::ReadError)
        return device.errorString();
    if (storage.isValid() && storage.isReadOnly())
        return QCoreApplication::translate("TextFile", "読み取り専用のドライブにあります。");
    if ((file.exists() && !file.isWritable()) || !folder.isWritable())
        return QCoreApplication::translate("TextFile", "書き込む権限がありません。");
    // A write cut short by a full disk leaves no error at all.
    if (device.error() == QFileDevice::ResourceError || (storage.isValid() && storage.bytesAvailable() == 0))
        return QCoreApplication::translate("TextFile", "ディスクに空きがありません。");
    if (!file.exists() && !qobject_cast<const QSaveFile *>(&device)) // a rewrite makes its file
        return QCoreApplication::translate("TextFile", "ファイルがありません。");
    return device.errorString();
}

bool openRegularFile(QFileDevice &file, QIODevice::OpenMode mode)
{
    const QFileInfo info(file.fileName());
    if (info.exists() && !info.isFile() && !info.isDir())
        return false;
    return file.open(mode);
}

QString resolveFileName(const QString &name)
{
    const QFileInfo info(name);
    if (info.exists())
        return name;
    QDir dir = info.dir();
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return info.path() == QStringLiteral(".") ? entry : dir.filePath(entry);
    }
    return name;
}

bool decodeCp932(const QByteArray &bytes, const QString &fileName, QString &text, QString &error)
{
    text.resize(bytes.size());
    const qsizetype units = cp932Cache().decode(bytes, reinterpret_cast<char16_t *>(text.data()));
    if (units >= 0) {
        text.truncate(units);
        return true;
    }
    QStringDecoder decoder(kCodec, QStringDecoder::Flag::Stateless);
    text = decoder.decode(bytes);
    if (!decoder.hasError())
        return true;
    const qsizetype offset = firstBadByte(bytes);
    const qsizetype line = QByteArrayView(bytes).first(offset).count('\n') + 1;
    error = QCoreApplication::translate("TextFile",
                                        "%1 の %2 行目（先頭から %3 バイト目）に Shift_JIS (CP932) "
                                        "として読めないバイト 0x%4 があります。")
                .arg(quoted(fileName))
                .arg(line)
                .arg(offset + 1)
                .arg(QString::number(quint8(bytes[offset]), 16).toUpper().rightJustified(2, u'0'));
    text.clear();
    return false;
}

bool encodeCp932(const QString &text, const QString &fileName, QByteArray &bytes, QString &error)
{
    if (encodesFaithfully(text, &bytes))
        return true;
    // Find the first character that cannot be held, to name it.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString one = text.mid(i, len);
        if (!encodesFaithfully(one, nullptr)) {
            error = QCoreApplication::translate("TextFile",
                                                "%1 に書けない文字「%2」(U+%3) があります。Shift_JIS (CP932) "
                                                "で表せない文字は保存できません。")
                        .arg(quoted(fileName), one,
                             QString::number(one.toUcs4().value(0), 16).toUpper().rightJustified(4, u'0'));
            break;
        }
        i += len - 1;
    }
    bytes.clear();
    return false;
}

bool isCp932Encodable(const QString &text)
{
    return encodesFaithfully(text, nullptr);
}

namespace {

bool encode(const QString &text, const QString &fileName, QByteArray &bytes, QString &error, TextEncoding encoding)
{
    if (encoding == TextEncoding::Cp932)
        return encodeCp932(text, fileName, bytes, error);
    QStringEncoder encoder(QStringConverter::Utf8, QStringEncoder::Flag::Stateless);
    bytes = encoder.encode(text);
    if (!encoder.hasError())
        return true;
    error = QCoreApplication::translate("TextFile", "%1 に書けない文字（対になっていないサロゲート）があります。")
                .arg(quoted(fileName));
    bytes.clear();
    return false;
}

} // namespace

bool settleInterruptedAppend(const QString &name, QString &error)
{
    return undoInterruptedAppend(resolveFileName(name), name, error);
}

bool readFileBytes(const QString &name, QByteArray &bytes, QString &error)
{
    const QString path = resolveFileName(name);
    if (!undoInterruptedAppend(path, name, error))
        return false;
    QFile file(path);
    if (!file.exists()) {
        error = QCoreApplication::translate("TextFile", "%1 が見つかりません。").arg(quoted(name));
        return false;
    }
    if (!openRegularFile(file, QIODevice::ReadOnly))
        return failed(error, name, QT_TRANSLATE_NOOP("TextFile", "を開けません"), file);
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failed(error, name, QT_TRANSLATE_NOOP("TextFile", "を読めません"), file);
    return true;
}

bool readTextFile(const QString &name, QString &text, QString &error)
{
    QByteArray bytes;
    return readFileBytes(name, bytes, error) && decodeCp932(bytes, name, text, error);
}

bool checkCp932(const QByteArray &bytes, const QString &fileName, QString &error)
{
    if (cp932Cache().check(bytes))
        return true;
    QString ignored;
    return decodeCp932(bytes, fileName, ignored, error);
}

QString fromCp932(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    const qsizetype units = cp932Cache().decode(bytes, reinterpret_cast<char16_t *>(text.data()));
    if (units < 0)
        return QStringDecoder(kCodec, QStringDecoder::Flag::Stateless).decode(bytes);
    text.truncate(units);
    return text;
}

bool rewriteTextFile(const QString &name, const QString &text, QString &error, TextEncoding encoding)
{
    QByteArray bytes;
    return encode(text, name, bytes, error, encoding) && rewriteFileBytes(name, bytes, error);
}

bool rewriteFileBytes(const QString &name, const QByteArray &bytes, QString &error)
{
    const QString path = resolveFileName(name);
    if (!undoInterruptedAppend(path, name, error))
        return false;
    QSaveFile file(path);
    // A write the disk cuts short (full, or over a size limit) shows only when the buffer is
    // flushed, and commit() would put the cut file in place even then: flush first. A file
    // not committed is discarded and the old one stays.
    if (!openRegularFile(file, QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()
        || !file.commit())
        return failed(error, name, QT_TRANSLATE_NOOP("TextFile", "に書き込めません"), file);
    return true;
}

bool appendTextFile(const QString &name, const QString &text, QString &error, TextEncoding encoding,
                    const QString &firstLine)
{
    QByteArray bytes, first;
    if (!encode(text, name, bytes, error, encoding)
        || (!firstLine.isEmpty() && !encode(firstLine, name, first, error, encoding)))
        return false;
    const QString path = resolveFileName(name);
    if (!undoInterruptedAppend(path, name, error))
        return false;
    QFile file(path);
    if (!openRegularFile(file, QIODevice::ReadWrite | QIODevice::Unbuffered))
        return failed(error, name, QT_TRANSLATE_NOOP("TextFile", "に書き込めません"), file);
    const qint64 size = file.size();
    QByteArray tail;
    if (size > 0) {
        const qint64 tailSize = std::min(size, kNoteTailBytes);
        if (!file.seek(size - tailSize) || (tail = file.read(tailSize)).size() != tailSize)
            return failed(error, name, QT_TRANSLATE_NOOP("TextFile", "を読めません"), file);
        if (tail.endsWith('\r'))
            bytes.prepend('\n');
        else if (!tail.endsWith('\n'))
            bytes.prepend("\r\n");
    } else {
        bytes.prepend(first);
    }
    // The player's file is named when the note fails: the note is ours, not theirs.
    QFile note(appendNote(path));
    const QByteArray noteText = appendNoteText(size, tail, bytes);
    if (!openRegularFile(note, QIODevice::WriteOnly | QIODevice::Unbuffered) || note.write(noteText) != noteText.size()) {
        failed(error, name, QT_TRANSLATE_NOOP("TextFile", "に書き込めません"), note);
        note.remove();
        return false;
    }
    note.close();
    if (!file.seek(size) || file.write(bytes) != bytes.size() || !file.flush()) {
        failed(error, name, QT_TRANSLATE_NOOP("TextFile", "に書き込めません"), file);
        file.resize(size); // never leave half a line behind
        note.remove();
        return false;
    }
    file.close();
    if (!note.remove())
        return failed(error, name, QT_TRANSLATE_NOOP("TextFile", "の書きかけの行の記録を消せません"), note);
    return true;
}

} // namespace platform
