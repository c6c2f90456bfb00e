#include "answerrecord.h"

#include "files/delimited.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringTokenizer>
#include <array>

namespace progress {
namespace {

constexpr QLatin1StringView kFormatName("kanarinka answer record");

struct VerdictName {
    Verdict verdict;
    QLatin1StringView name;
};
constexpr std::array<VerdictName, 6> kVerdicts{{
    {Verdict::Accepted, QLatin1StringView("ok")},
    {Verdict::EndsInN, QLatin1StringView("n")},
    {Verdict::EndsInLongSound, QLatin1StringView("long")},
    {Verdict::Duplicate, QLatin1StringView("duplicate")},
    {Verdict::BrokenChain, QLatin1StringView("chain")},
    {Verdict::StrayLetters, QLatin1StringView("stray")},
}};

// A text value holds neither its quote nor a line end: the reader could not find its end.
QString safeText(QString text)
{
    text.replace(u'"', u'＂');
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

std::optional<qint64> count(const QString &text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok && value >= 0 ? std::optional(value) : std::nullopt;
}

// The values of one line (at most `limit`).
QStringList values(QStringView line, int limit)
{
    QStringList out;
    files::DelimitedReader reader(line);
    while (out.size() < limit && !reader.atEnd())
        out.append(reader.next().text);
    return out;
}

AnswerRecordFile::State headerState(QByteArrayView firstLine)
{
    const QStringList header = values(QString::fromUtf8(firstLine), 2);
    if (header.size() < 2 || header[0] != kFormatName)
        return AnswerRecordFile::State::NotARecord;
    const std::optional<qint64> version = count(header[1]);
    if (!version || *version < 1)
        return AnswerRecordFile::State::NotARecord;
    return *version > kAnswerRecordVersion ? AnswerRecordFile::State::Newer
                                           : AnswerRecordFile::State::Ready;
}

QByteArrayView firstLine(const QByteArray &bytes)
{
    const qsizetype end = bytes.indexOf('\n');
    return QByteArrayView(bytes).first(end < 0 ? bytes.size() : end);
}

// The game a line belongs to, as bytes: everything up to its first comma.
QByteArrayView gameOf(QByteArrayView line)
{
    const qsizetype comma = line.indexOf(',');
    return comma < 0 ? line : line.first(comma);
}

QString quoted(const QString &name)
{
    return u'「' + name + u'」';
}

} // namespace

bool isFailure(Verdict verdict)
{
    return verdict == Verdict::EndsInN || verdict == Verdict::Duplicate || verdict == Verdict::BrokenChain;
}

QString gameName(const QDateTime &start)
{
    return start.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
}

QString answerRecordHeader()
{
    return files::formatRecord({QString(kFormatName), qint64(kAnswerRecordVersion)});
}

QString formatAnswerRow(const AnswerRow &row)
{
    QString name;
    for (const VerdictName &v : kVerdicts)
        if (v.verdict == row.verdict)
            name = v.name;
    QString line = files::formatRecord({safeText(row.game),
                                        row.expected.isNull() ? QString() : safeText(row.expected),
                                        safeText(row.answer), name, row.stallMs, row.typingMs});
    line.chop(2); // the keystrokes follow, bare and possibly empty
    if (row.keys)
        line += QStringLiteral(",%1,%2\r\n").arg(row.keys->all).arg(row.keys->backspaces);
    else
        line += QStringLiteral(",,\r\n");
    return line;
}

std::optional<AnswerRow> parseAnswerRow(QStringView line)
{
    // Unknown keystrokes end the line in two empty values, which the reader may not return.
    const QStringList v = values(line, 8);
    if (v.size() < 6 || v[1].size() > 1 || !readDateTime(v[0]).isValid())
        return std::nullopt;
    AnswerRow row;
    row.game = v[0];
    row.expected = v[1].isEmpty() ? QChar() : v[1].front();
    row.answer = v[2];
    const auto verdict = std::find_if(kVerdicts.begin(), kVerdicts.end(),
                                      [&](const VerdictName &n) { return n.name == v[3]; });
    const std::optional<qint64> stall = count(v[4]), typing = count(v[5]);
    if (verdict == kVerdicts.end() || !stall || !typing)
        return std::nullopt;
    row.verdict = verdict->verdict;
    row.stallMs = *stall;
    row.typingMs = *typing;
    if (v.value(6).isEmpty() && v.value(7).isEmpty())
        return row;
    const std::optional<qint64> all = count(v.value(6)), backspaces = count(v.value(7));
    if (!all || !backspaces || *backspaces > *all || *all > std::numeric_limits<int>::max())
        return std::nullopt;
    row.keys = Keystrokes{int(*all), int(*backspaces)};
    return row;
}

QDateTime readDateTime(QStringView text)
{
    // yyyy/MM/dd hh:mm:ss, read by hand: the chart reads tens of thousands of them.
    constexpr QStringView kShape = u"0000/00/00 00:00:00";
    if (text.size() != kShape.size())
        return {};
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= u'0' && text[i] <= u'9';
        if (kShape[i] == u'0' ? !digit : text[i] != kShape[i])
            return {};
    }
    const auto number = [&](int from, int length) { return text.sliced(from, length).toInt(); };
    return QDateTime(QDate(number(0, 4), number(5, 2), number(8, 2)),
                     QTime(number(11, 2), number(14, 2), number(17, 2)));
}

QString AnswerRecordFile::check(const QDateTime &now)
{
    // Only the first line is read: the record is never what a start waits for.
    QFile file(platform::resolveFileName(name_));
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        recording_ = false;
        return QStringLiteral("%1 を開けません（%2）。このあいだ、答えは記録しません。")
            .arg(quoted(name_), platform::fileErrorReason(file));
    }
    const QByteArray head = file.readLine(4096);
    if (head.trimmed().isEmpty() && file.readAll().trimmed().isEmpty()) {
        // Nothing but blanks: begun anew, so the first row comes after the first line.
        file.close();
        file.remove();
        return {};
    }
    switch (headerState(head.endsWith('\n') ? QByteArrayView(head).chopped(1) : QByteArrayView(head))) {
    case State::Ready:
        if (file.size() > kMaxBytes) {
            QByteArray bytes;
            QString error;
            file.close();
            if (!platform::readFileBytes(name_, bytes, error) || !cut(bytes, error))
                return error;
        }
        return {};
    case State::Newer:
        recording_ = false;
        return QStringLiteral("%1 は、これより新しい版のカナリンカが書いた記録です。そのまま残し、"
                              "このあいだ答えは記録しません。")
            .arg(quoted(name_));
    default:
        break;
    }
    file.close();
    const QFileInfo info(file.fileName());
    const QString aside = info.completeBaseName() + QStringLiteral(".damaged-")
        + now.toString(QStringLiteral("yyyyMMdd-hhmmss")) + u'.' + info.suffix();
    if (!file.rename(info.dir().filePath(aside))) {
        recording_ = false;
        return QStringLiteral("%1 は答えの記録として読めず、名前も変えられませんでした（%2）。"
                              "このあいだ、答えは記録しません。")
            .arg(quoted(name_), platform::fileErrorReason(file));
    }
    return QStringLiteral("%1 は答えの記録として読めないため、%2 に名前を変えて残しました。"
                          "記録は新しいファイルで続けます。")
        .arg(quoted(name_), quoted(aside));
}

// Keeps the newest kKeepBytes or so: from the first line of the first game that starts past
// the cut, so no game is kept in part.
bool AnswerRecordFile::cut(const QByteArray &bytes, QString &error)
{
    qsizetype from = bytes.indexOf('\n', bytes.size() - kKeepBytes) + 1;
    const qsizetype previous = bytes.lastIndexOf('\n', from - 2) + 1;
    const QByteArrayView cutGame = gameOf(QByteArrayView(bytes).sliced(previous, from - previous));
    while (from > 0 && from < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', from);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (gameOf(QByteArrayView(bytes).sliced(from, next - from)) != cutGame)
            break;
        from = next;
    }
    const QString kept = answerRecordHeader() + QString::fromUtf8(QByteArrayView(bytes).sliced(from));
    if (platform::rewriteTextFile(name_, kept, error, platform::TextEncoding::Utf8))
        return true;
    error = QStringLiteral("%1 を短くできませんでした: %2").arg(quoted(name_), error);
    return false;
}

bool AnswerRecordFile::append(const AnswerRow &row, QString &error)
{
    return !recording_
        || platform::appendTextFile(name_, formatAnswerRow(row), error, platform::TextEncoding::Utf8,
                                    answerRecordHeader());
}

AnswerRecordFile::State AnswerRecordFile::read(AnswerRecord &record, QString &error) const
{
    record = {};
    if (!QFileInfo::exists(platform::resolveFileName(name_)))
        return State::Missing;
    QByteArray bytes;
    if (!platform::readFileBytes(name_, bytes, error))
        return State::Unreadable;
    if (bytes.trimmed().isEmpty())
        return State::Ready;
    const State state = headerState(firstLine(bytes));
    if (state == State::NotARecord)
        error = QStringLiteral("%1 は答えの記録として読めません。").arg(quoted(name_));
    else if (state == State::Newer)
        error = QStringLiteral("%1 は、これより新しい版のカナリンカが書いた記録です。").arg(quoted(name_));
    if (state != State::Ready)
        return state;

    const auto take = [&record](QStringView line) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            return;
        if (std::optional<AnswerRow> row = parseAnswerRow(line))
            record.rows.append(std::move(*row));
        else
            ++record.badLines;
    };
    const qsizetype start = firstLine(bytes).size() + 1;
    const QByteArrayView body = start < bytes.size() ? QByteArrayView(bytes).sliced(start) : QByteArrayView();
    QStringDecoder decoder(QStringConverter::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(body);
    if (!decoder.hasError()) {
        for (const QStringView line : QStringTokenizer(text, u'\n'))
            take(line);
        return State::Ready;
    }
    // Line by line: a line that is not UTF-8 is bad on its own, the others still count.
    for (qsizetype pos = 0; pos < body.size();) {
        qsizetype end = body.indexOf('\n', pos);
        if (end < 0)
            end = body.size();
        decoder.resetState();
        const QString line = decoder.decode(body.sliced(pos, end - pos));
        if (decoder.hasError())
            ++record.badLines;
        else
            take(line);
        pos = end + 1;
    }
    return State::Ready;
}

} // namespace progress
