#include "answerfile.h"

#include "files/delimited.h"
#include "platform/text/textfile.h"

#include <QCoreApplication>
#include <array>

namespace progress {
namespace {

constexpr QLatin1StringView kFormatName("kanarinka answer record");

// The record's word for each verdict: files already written keep reading with these.
struct VerdictName {
    game::AnswerVerdict verdict;
    QLatin1StringView name;
};
constexpr std::array<VerdictName, 6> kVerdicts{{
    {game::AnswerVerdict::Accepted, QLatin1StringView("ok")},
    {game::AnswerVerdict::EndsInN, QLatin1StringView("n")},
    {game::AnswerVerdict::EndsInLongSound, QLatin1StringView("long")},
    {game::AnswerVerdict::Duplicate, QLatin1StringView("duplicate")},
    {game::AnswerVerdict::BrokenChain, QLatin1StringView("chain")},
    {game::AnswerVerdict::StrayLetters, QLatin1StringView("stray")},
}};

// The game a line belongs to, as bytes: everything up to its first comma.
QByteArrayView gameOf(QByteArrayView line)
{
    const qsizetype comma = line.indexOf(',');
    return comma < 0 ? line : line.first(comma);
}

} // namespace

bool isFailure(game::AnswerVerdict verdict)
{
    return verdict == game::AnswerVerdict::EndsInN || verdict == game::AnswerVerdict::Duplicate
        || verdict == game::AnswerVerdict::BrokenChain;
}

QString gameName(const QDateTime &start)
{
    return start.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
}

QString answerRecordHeader()
{
    return RecordFile(QString(), kFormatName, kAnswerRecordVersion).header();
}

QString formatAnswerRow(const AnswerRow &row)
{
    QString name;
    for (const VerdictName &v : kVerdicts)
        if (v.verdict == row.verdict)
            name = v.name;
    QString line =
        files::formatRecord({recordText(row.game), row.expected.isNull() ? QString() : recordText(row.expected),
                             recordText(row.answer), name, row.stallMs, row.typingMs});
    line.chop(2); // the keystrokes follow, bare and possibly empty
    if (row.keys)
        line += QStringLiteral(",%1,%2\r\n").arg(row.keys->all).arg(row.keys->backspaces);
    else
        line += QStringLiteral(",,\r\n");
    return line;
}

namespace {

// A count of ms or keys: plain digits, no sign or blank, kept far from overflow.
std::optional<qint64> countIn(QStringView text)
{
    if (text.isEmpty() || text.size() > 12)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// The fields of a row, however they were found, made into `row`; false when they are no row.
bool fill(const std::array<QStringView, 8> &v, AnswerRow &row)
{
    const auto verdict =
        std::find_if(kVerdicts.begin(), kVerdicts.end(), [&](const VerdictName &n) { return n.name == v[3]; });
    const std::optional<qint64> stall = countIn(v[4]), typing = countIn(v[5]);
    // A NUL would read back as "no kana", so it is no kana at all.
    if (v[1].size() > 1 || (v[1].size() == 1 && v[1].front().isNull()) || verdict == kVerdicts.end() || !stall
        || !typing || !readWallTime(v[0]))
        return false;
    std::optional<Keystrokes> keys;
    if (!v[6].isEmpty() || !v[7].isEmpty()) {
        const std::optional<qint64> all = countIn(v[6]), backspaces = countIn(v[7]);
        if (!all || !backspaces || *backspaces > *all || *all > std::numeric_limits<int>::max())
            return false;
        keys = Keystrokes{int(*all), int(*backspaces)};
    }
    // A game's rows share its name, and the answer's buffer is reused while nobody holds it.
    if (row.game != v[0])
        row.game = v[0].toString();
    row.expected = v[1].isEmpty() ? QChar() : v[1].front();
    row.answer.resize(v[2].size());
    std::copy(v[2].begin(), v[2].end(), row.answer.begin());
    row.verdict = verdict->verdict;
    row.stallMs = *stall;
    row.typingMs = *typing;
    row.keys = keys;
    return true;
}

// Where `c` next stands in `line` from `from` on, or -1. The fields are a few characters long:
// a plain look at each costs less than setting up QStringView::indexOf, which a full record
// calls a million times.
qsizetype nextOf(QStringView line, char16_t c, qsizetype from)
{
    for (qsizetype i = from; i < line.size(); ++i)
        if (line[i] == c)
            return i;
    return -1;
}

// The fields of a line exactly as formatAnswerRow writes it: four quoted texts that hold no
// quote, then four bare values. False for any other line.
bool splitWritten(QStringView line, std::array<QStringView, 8> &v)
{
    qsizetype i = 0;
    for (int f = 0; f < 4; ++f) {
        if (i >= line.size() || line[i] != u'"')
            return false;
        const qsizetype end = nextOf(line, u'"', i + 1);
        if (end < 0 || end + 1 >= line.size() || line[end + 1] != u',')
            return false;
        v[f] = line.sliced(i + 1, end - i - 1);
        i = end + 2;
    }
    for (int f = 4; f < 8; ++f) {
        const qsizetype comma = f < 7 ? nextOf(line, u',', i) : line.size();
        if (comma < 0)
            return false;
        v[f] = line.sliced(i, comma - i);
        i = comma + 1;
    }
    return true;
}

} // namespace

bool parseAnswerRow(QStringView line, AnswerRow &row)
{
    std::array<QStringView, 8> v;
    if (splitWritten(line, v) && fill(v, row))
        return true;
    // Any other spelling the value reader accepts. Unknown keystrokes end the line in two
    // empty values, which it may not return.
    const QStringList texts = lineValues(line, 8);
    if (texts.size() < 6)
        return false;
    for (size_t f = 0; f < v.size(); ++f)
        v[f] = f < size_t(texts.size()) ? QStringView(texts[f]) : QStringView();
    return fill(v, row);
}

std::optional<AnswerRow> parseAnswerRow(QStringView line)
{
    AnswerRow row;
    return parseAnswerRow(line, row) ? std::optional(std::move(row)) : std::nullopt;
}

std::optional<WallTime> readWallTime(QStringView text)
{
    // Read by hand: the record holds one in every line.
    constexpr QStringView kShape = u"0000/00/00 00:00:00";
    if (text.size() != kShape.size())
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= u'0' && text[i] <= u'9';
        if (kShape[i] == u'0' ? !digit : text[i] != kShape[i])
            return std::nullopt;
    }
    const auto number = [&](int from, int length) {
        int n = 0;
        for (const QChar c : text.sliced(from, length))
            n = n * 10 + (c.unicode() - u'0');
        return n;
    };
    const WallTime wall{QDate(number(0, 4), number(5, 2), number(8, 2)),
                        QTime(number(11, 2), number(14, 2), number(17, 2))};
    if (!wall.date.isValid() || !wall.time.isValid())
        return std::nullopt;
    return wall;
}

AnswerFile::AnswerFile(QString name) : file_(std::move(name), kFormatName, kAnswerRecordVersion) {}

QString AnswerFile::check(const QDateTime &now)
{
    // Only the first line is read: the record is never what a start waits for.
    const RecordFile::Check check = file_.check(now);
    const QString name = quotedName(file_.name());
    if (check.unsettled) {
        recording_ = false;
        return check.reason + QCoreApplication::translate("AnswerRecord", "\nこのあいだ、答えは記録しません。");
    }
    switch (check.state) {
    case State::Ready:
    case State::Missing:
        if (check.size > kMaxBytes) {
            QByteArray bytes;
            QString error;
            if (!platform::readFileBytes(file_.name(), bytes, error) || !cut(bytes, error))
                return error;
        }
        return {};
    case State::Unreadable:
        recording_ = false;
        return QCoreApplication::translate("AnswerRecord", "%1 を開けません（%2）。このあいだ、答えは記録しません。")
            .arg(name, check.reason);
    case State::Newer:
        recording_ = false;
        return QCoreApplication::translate("AnswerRecord",
                                           "%1 は、これより新しい版のカナリンカが書いた記録です。そのまま残し、"
                                           "このあいだ答えは記録しません。")
            .arg(name);
    case State::NotARecord:
        break;
    }
    if (check.aside.isEmpty()) {
        recording_ = false;
        return QCoreApplication::translate("AnswerRecord",
                                           "%1 は答えの記録として読めず、名前も変えられませんでした（%2）。"
                                           "このあいだ、答えは記録しません。")
            .arg(name, check.reason);
    }
    return QCoreApplication::translate("AnswerRecord",
                                       "%1 は答えの記録として読めないため、%2 に名前を変えて残しました。"
                                       "記録は新しいファイルで続けます。")
        .arg(name, quotedName(check.aside));
}

// Keeps the newest kKeepBytes or so: from the first line of the first game that starts past
// the cut, so no game is kept in part.
bool AnswerFile::cut(const QByteArray &bytes, QString &error)
{
    qsizetype from = bytes.indexOf('\n', bytes.size() - kKeepBytes) + 1;
    if (from == 0) // one line longer than all that is kept: nothing to keep
        from = bytes.size();
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
    if (platform::rewriteTextFile(file_.name(), kept, error, platform::TextEncoding::Utf8))
        return true;
    error =
        QCoreApplication::translate("AnswerRecord", "%1 を短くできませんでした: %2").arg(quotedName(file_.name()), error);
    return false;
}

bool AnswerFile::append(const AnswerRow &row, QString &error)
{
    return !recording_ || file_.append(formatAnswerRow(row), error);
}

AnswerFile::State AnswerFile::read(const std::function<void(const AnswerRow &)> &take, int &badLines, QString &error) const
{
    AnswerRow row;
    const State state = file_.read(
        [&](QStringView line) {
            if (!parseAnswerRow(line, row))
                return false;
            take(row);
            return true;
        },
        badLines, error);
    if (state == State::NotARecord)
        error =
            QCoreApplication::translate("AnswerRecord", "%1 は答えの記録として読めません。").arg(quotedName(file_.name()));
    else if (state == State::Newer)
        error = QCoreApplication::translate("AnswerRecord", "%1 は、これより新しい版のカナリンカが書いた記録です。")
                    .arg(quotedName(file_.name()));
    return state;
}

AnswerFile::State AnswerFile::read(AnswerFileContents &record, QString &error) const
{
    record = {};
    return read([&record](const AnswerRow &row) { record.rows.append(row); }, record.badLines, error);
}

} // namespace progress
