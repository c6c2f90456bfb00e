#include "recordfile.h"

#include "files/delimited.h"
#include "platform/text/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringTokenizer>
#include <algorithm>

namespace progress {
namespace {

QByteArrayView firstLine(const QByteArray &bytes)
{
    const qsizetype end = bytes.indexOf('\n');
    return QByteArrayView(bytes).first(end < 0 ? bytes.size() : end);
}

} // namespace

QStringList lineValues(QStringView line, int limit)
{
    QStringList out;
    files::DelimitedReader reader(line);
    while (out.size() < limit && !reader.atEnd())
        out.append(reader.next().text);
    return out;
}

QString recordText(QString text)
{
    text.replace(u'"', u'＂');
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

QString quotedName(const QString &name)
{
    return u'「' + name + u'」';
}

QString RecordFile::header() const
{
    return files::formatRecord({QString(format_), qint64(version_)});
}

RecordFile::State RecordFile::headerState(QByteArrayView firstLine, qint64 *version) const
{
    if (firstLine.endsWith('\r'))
        firstLine.chop(1);
    const QStringList header = lineValues(QString::fromUtf8(firstLine), 2);
    if (header.size() < 2 || header[0] != format_)
        return State::NotARecord;
    // A version is numbers between dots, as a later program may write it ("1.5", or past 64
    // bits); one this program can't read as its own is a newer one's, and is left alone.
    const QStringList parts = header[1].split(u'.');
    if (std::ranges::any_of(parts, [](const QString &part) {
            return part.isEmpty() || std::ranges::any_of(part, [](QChar c) { return c < u'0' || c > u'9'; });
        }))
        return State::NotARecord;
    bool ok = false;
    const qint64 named = header[1].toLongLong(&ok);
    if (ok && named < 1)
        return State::NotARecord;
    if (version)
        *version = named;
    return ok && named <= version_ ? State::Ready : State::Newer;
}

RecordFile::Check RecordFile::check(const QDateTime &now) const
{
    // Or its torn line would be judged.
    QString error;
    if (!platform::settleInterruptedAppend(name_, error))
        return {State::Unreadable, 0, {}, error, true};
    QFile file(platform::resolveFileName(name_));
    if (!file.exists())
        return {};
    if (!platform::openRegularFile(file, QIODevice::ReadOnly))
        return {State::Unreadable, 0, {}, platform::fileErrorReason(file)};
    const QByteArray head = file.readLine(4096);
    if (head.trimmed().isEmpty() && file.readAll().trimmed().isEmpty()) {
        // Nothing but blanks: begun anew, so the first row comes after the first line.
        file.close();
        file.remove();
        return {};
    }
    qint64 version = 0;
    const State state =
        headerState(head.endsWith('\n') ? QByteArrayView(head).chopped(1) : QByteArrayView(head), &version);
    if (state != State::NotARecord)
        return {state, file.size(), {}, {}, false, version};
    file.close();
    const QFileInfo info(file.fileName());
    const QString aside = info.completeBaseName() + QStringLiteral(".damaged-")
        + now.toString(QStringLiteral("yyyyMMdd-hhmmss")) + u'.' + info.suffix();
    if (!file.rename(info.dir().filePath(aside)))
        return {State::NotARecord, 0, {}, platform::fileErrorReason(file)};
    return {State::NotARecord, 0, aside, {}};
}

bool RecordFile::append(const QString &lines, QString &error) const
{
    return platform::appendTextFile(name_, lines, error, platform::TextEncoding::Utf8, header());
}

RecordFile::State RecordFile::read(const std::function<bool(QStringView)> &take, int &badLines, QString &error) const
{
    badLines = 0;
    if (!QFileInfo::exists(platform::resolveFileName(name_)))
        return State::Missing;
    QByteArray bytes;
    if (!platform::readFileBytes(name_, bytes, error))
        return State::Unreadable;
    if (bytes.trimmed().isEmpty())
        return State::Ready;
    const State state = headerState(firstLine(bytes));
    if (state != State::Ready)
        return state;

    const auto line = [&](QStringView text) {
        if (text.endsWith(u'\r'))
            text.chop(1);
        if (!text.trimmed().isEmpty() && !take(text))
            ++badLines;
    };
    const qsizetype start = firstLine(bytes).size() + 1;
    const QByteArrayView body = start < bytes.size() ? QByteArrayView(bytes).sliced(start) : QByteArrayView();
    QStringDecoder decoder(QStringConverter::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(body);
    if (!decoder.hasError()) {
        for (const QStringView each : QStringTokenizer(text, u'\n'))
            line(each);
        return State::Ready;
    }
    // Line by line: a line that is not UTF-8 is bad on its own, the others still count.
    for (qsizetype pos = 0; pos < body.size();) {
        qsizetype end = body.indexOf('\n', pos);
        if (end < 0)
            end = body.size();
        decoder.resetState();
        const QString decoded = decoder.decode(body.sliced(pos, end - pos));
        if (decoder.hasError())
            ++badLines;
        else
            line(decoded);
        pos = end + 1;
    }
    return State::Ready;
}

} // namespace progress
