#include "reviewlist.h"

#include "files/delimited.h"
#include "files/dictionary.h"
#include "platform/text/textfile.h"
#include "progress/practicedays.h"
#include "progress/record/answerfile.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace review {
namespace {

constexpr QLatin1StringView kFormatName("kanarinka review list");

struct ActionName {
    ReviewEvent::Action action;
    QLatin1StringView name;
};
constexpr std::array<ActionName, 8> kActions{{
    {ReviewEvent::Action::Add, QLatin1StringView("add")},
    {ReviewEvent::Action::Met, QLatin1StringView("met")},
    {ReviewEvent::Action::Used, QLatin1StringView("used")},
    {ReviewEvent::Action::Good, QLatin1StringView("good")},
    {ReviewEvent::Action::Hard, QLatin1StringView("hard")},
    {ReviewEvent::Action::Again, QLatin1StringView("again")},
    {ReviewEvent::Action::Drop, QLatin1StringView("drop")},
    {ReviewEvent::Action::Keep, QLatin1StringView("keep")},
}};

// A rewrite is due when the file holds this many more lines than words.
constexpr int kSpareLines = 200;
// Version 1 took a word off after this many correct answers.
constexpr int kVersion1Uses = 3;
// Stability and difficulty are kept in thousandths, as the file writes them.
constexpr double kThousand = 1000;

QString tr(const char *text)
{
    return QCoreApplication::translate("review::ReviewList", text);
}

// Counts stop at their largest: a count that wrapped round would be refused at the next start.
void countOne(int &n)
{
    if (n < std::numeric_limits<int>::max())
        ++n;
}

std::optional<qint64> number(QStringView text, qint64 least, qint64 most)
{
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    return ok && n >= least && n <= most && !text.startsWith(u'+') ? std::optional(n) : std::nullopt;
}

std::optional<int> count(QStringView text)
{
    const std::optional<qint64> n = number(text, 0, std::numeric_limits<int>::max());
    return n ? std::optional(int(*n)) : std::nullopt;
}

// The memory as the file holds it, so that a rewritten file reads back the same list.
fsrs::Memory quantized(const fsrs::Memory &m)
{
    return {std::round(std::clamp(m.stability, fsrs::kMinStability, fsrs::kMaxStability) * kThousand) / kThousand,
            std::round(std::clamp(m.difficulty, 1.0, 10.0) * kThousand) / kThousand};
}

qint64 thousandths(double value)
{
    return std::llround(value * kThousand);
}

QDate dayOf(QStringView when)
{
    const std::optional<progress::WallTime> time = progress::readWallTime(when);
    return time ? progress::practiceDay(*time) : QDate();
}

std::optional<fsrs::Grade> gradeOf(ReviewEvent::Action action)
{
    switch (action) {
    case ReviewEvent::Action::Good:
        return fsrs::Grade::Good;
    case ReviewEvent::Action::Hard:
        return fsrs::Grade::Hard;
    case ReviewEvent::Action::Again:
        return fsrs::Grade::Again;
    default:
        return std::nullopt;
    }
}

// The day the word comes back: its first is the day it was added.
void schedule(ReviewWord &w)
{
    w.due = w.memory ? dayOf(w.reviewed).addDays(fsrs::intervalDays(*w.memory)) : dayOf(w.added);
}

} // namespace

QString formatReviewEvent(const ReviewEvent &event)
{
    QList<files::Field> fields{progress::recordText(event.when), QString(), progress::recordText(event.word)};
    for (const ActionName &a : kActions)
        if (a.action == event.action)
            fields[1] = QString(a.name);
    if (event.action == ReviewEvent::Action::Keep) {
        fields << qint64(event.met) << qint64(event.used);
        if (event.memory) {
            const fsrs::Memory m = quantized(*event.memory);
            fields << progress::recordText(event.reviewed) << thousandths(m.stability) << thousandths(m.difficulty);
        }
    }
    return files::formatRecord(fields);
}

std::optional<ReviewEvent> parseReviewEvent(QStringView line)
{
    // Values as views of the line: a full list is thousands of lines, read at every start.
    constexpr int kMostValues = 8;
    std::array<QStringView, kMostValues> v;
    int values = 0;
    files::ValueScanner<QStringView> scanner(line);
    while (values < kMostValues && !scanner.atEnd()) {
        const files::Span span = scanner.next();
        v[values++] = line.sliced(span.start, span.size);
    }
    if (values < 3 || v[2].isEmpty() || !progress::readWallTime(v[0]))
        return std::nullopt;
    const auto action = std::ranges::find_if(kActions, [&](const ActionName &a) { return a.name == v[1]; });
    if (action == kActions.end())
        return std::nullopt;
    ReviewEvent event{v[0].toString(), action->action, v[2].toString()};
    if (event.action != ReviewEvent::Action::Keep)
        return event;
    const std::optional<int> met = count(v[3]), used = count(v[4]);
    if (!met || !used || (values > 5 && values < 8))
        return std::nullopt;
    event.met = *met;
    event.used = *used;
    if (values == 8) {
        const std::optional<qint64> stability =
            number(v[6], thousandths(fsrs::kMinStability), thousandths(fsrs::kMaxStability));
        const std::optional<qint64> difficulty = number(v[7], thousandths(1), thousandths(10));
        if (!progress::readWallTime(v[5]) || !stability || !difficulty)
            return std::nullopt;
        event.reviewed = v[5].toString();
        event.memory = fsrs::Memory{*stability / kThousand, *difficulty / kThousand};
    }
    return event;
}

ReviewList::ReviewList(QString fileName) : file_(std::move(fileName), kFormatName, kReviewListVersion) {}

QList<ReviewWord> ReviewList::words() const
{
    QList<ReviewWord> out;
    out.reserve(index_.size());
    forEachWord([&out](const ReviewWord &w) { out.append(w); });
    return out;
}

const ReviewWord *ReviewList::find(const QString &word) const
{
    const auto it = index_.constFind(word);
    return it == index_.cend() ? nullptr : &words_[*it];
}

void ReviewList::erase(qsizetype at)
{
    index_.remove(words_[at].word);
    words_[at] = {};
}

// Once most of the list is gone, the words left are moved together and the index made again.
void ReviewList::tidy()
{
    if (words_.size() <= 2 * index_.size() + kSpareLines)
        return;
    words_.removeIf([](const ReviewWord &w) { return w.word.isEmpty(); });
    for (qsizetype i = 0; i < words_.size(); ++i)
        index_[words_[i].word] = i;
}

void ReviewList::apply(const ReviewEvent &event)
{
    const bool keep = event.action == ReviewEvent::Action::Keep;
    const auto it = index_.constFind(event.word);
    if (it == index_.cend() && event.action != ReviewEvent::Action::Add && !keep)
        return;
    if (it == index_.cend() || keep) {
        ReviewWord w = keep
            ? ReviewWord{event.word,     event.when,
                         event.met,      event.used,
                         event.reviewed, event.memory ? std::optional(quantized(*event.memory)) : std::nullopt}
            : ReviewWord{event.word, event.when};
        schedule(w);
        if (it == index_.cend()) {
            index_.insert(event.word, words_.size());
            words_.append(std::move(w));
        } else {
            words_[*it] = std::move(w);
        }
        return;
    }
    const qsizetype at = *it;
    ReviewWord &w = words_[at];
    switch (event.action) {
    case ReviewEvent::Action::Add:
    case ReviewEvent::Action::Keep:
        break;
    case ReviewEvent::Action::Met:
        countOne(w.met);
        break;
    case ReviewEvent::Action::Used: // counted; settleCounts gives the memory
        countOne(w.used);
        w.reviewed = event.when;
        if (!w.memory && w.used >= kVersion1Uses)
            erase(at);
        break;
    case ReviewEvent::Action::Good:
    case ReviewEvent::Action::Hard:
    case ReviewEvent::Action::Again: {
        const fsrs::Grade grade = *gradeOf(event.action);
        const QDate day = dayOf(event.when);
        w.memory = quantized(w.memory ? fsrs::nextReview(*w.memory, qMax(0, dayOf(w.reviewed).daysTo(day)), grade)
                                      : fsrs::firstReview(grade));
        w.reviewed = event.when;
        if (grade != fsrs::Grade::Again)
            countOne(w.used);
        schedule(w);
        if (fsrs::intervalDays(*w.memory) > kLearnedDays)
            erase(at);
        break;
    }
    case ReviewEvent::Action::Drop:
        erase(at);
        break;
    }
}

// Version 1 counted correct answers only: a word answered n times starts as if each answer
// had come on the day the model asked for it, the last at its own time.
void ReviewList::settleCounts()
{
    for (qsizetype at = 0; at < words_.size(); ++at) {
        ReviewWord &w = words_[at];
        if (w.word.isEmpty() || w.memory || w.used == 0)
            continue;
        fsrs::Memory m = fsrs::firstReview(fsrs::Grade::Good);
        for (int i = 1; i < w.used && fsrs::intervalDays(m) <= kLearnedDays; ++i)
            m = fsrs::nextReview(m, fsrs::intervalDays(m), fsrs::Grade::Good);
        w.memory = quantized(m);
        if (w.reviewed.isEmpty())
            w.reviewed = w.added;
        schedule(w);
        if (fsrs::intervalDays(*w.memory) > kLearnedDays)
            erase(at);
    }
}

qsizetype ReviewList::dueCount(QDate day) const
{
    qsizetype due = 0;
    forEachWord([&due, day](const ReviewWord &w) { due += w.due <= day ? 1 : 0; });
    return due;
}

QString ReviewList::start(const QDateTime &now)
{
    words_.clear();
    index_.clear();
    const progress::RecordFile::Check check = file_.check(now);
    const QString name = progress::quotedName(file_.name());
    using State = progress::RecordFile::State;
    if (check.state == State::NotARecord && !check.aside.isEmpty())
        return tr("%1 は復習の一覧として読めないため、%2 に名前を変えて残しました。"
                  "一覧は新しいファイルで始めます。")
            .arg(name, progress::quotedName(check.aside));
    if (check.state != State::Ready) {
        keeping_ = false;
        if (check.state == State::Newer)
            return tr("%1 は、これより新しい版のカナリンカが書いた一覧です。そのまま残し、"
                      "このあいだ復習の言葉は覚えておきません。")
                .arg(name);
        return tr("%1 を使えません（%2）。このあいだ、復習の言葉は覚えておきません。").arg(name, check.reason);
    }
    // About one word in 50 bytes, so that a full list is not copied as it grows; never more
    // than a dictionary holds, whatever the file's size.
    const qsizetype expected = qMin<qint64>(check.size / 50, files::kMaxDictionaryWords);
    words_.reserve(expected);
    index_.reserve(expected);
    int badLines = 0, lines = 0;
    QString error;
    const State state = file_.read(
        [&](QStringView line) {
            ++lines;
            const std::optional<ReviewEvent> event = parseReviewEvent(line);
            if (event)
                apply(*event);
            return event.has_value();
        },
        badLines, error);
    if (state != State::Ready && state != State::Missing) {
        keeping_ = false;
        words_.clear();
        index_.clear();
        return tr("%1 を読めません（%2）。このあいだ、復習の言葉は覚えておきません。").arg(name, error);
    }
    settleCounts();
    tidy();
    QString told;
    if (check.version > 0 && check.version < kReviewListVersion) {
        // Written as this version from now on; never appended to in the old one.
        if (!compact(error)) {
            keeping_ = false;
            told = error + tr("\nこのあいだ、復習の言葉は覚えておきません。");
        }
    } else if (lines > index_.size() + kSpareLines) {
        compact(error); // the lines already there still hold the same list
    }
    if (changed_)
        changed_();
    return told;
}

// The file rewritten whole with one line a word, as the fold left them.
bool ReviewList::compact(QString &error)
{
    QString text = file_.header();
    forEachWord([&text](const ReviewWord &w) {
        text += formatReviewEvent({w.added, ReviewEvent::Action::Keep, w.word, w.met, w.used, w.reviewed, w.memory});
    });
    return platform::rewriteTextFile(file_.name(), text, error, platform::TextEncoding::Utf8);
}

QString ReviewList::write(const QList<ReviewEvent> &events)
{
    QString lines;
    for (const ReviewEvent &event : events) {
        // Only what changes the list is written.
        const bool listed = contains(event.word);
        if (event.word.isEmpty() || (event.action == ReviewEvent::Action::Add ? listed : !listed))
            continue;
        apply(event);
        lines += formatReviewEvent(event);
    }
    tidy();
    if (lines.isEmpty())
        return {};
    if (changed_)
        changed_();
    QString error;
    if (!keeping_ || file_.append(lines, error) || std::exchange(failed_, true))
        return {};
    // The error names the file and what failed.
    return error + tr("\n復習の一覧は、このあいだだけ覚えておきます。");
}

namespace {

QList<ReviewEvent> events(ReviewEvent::Action action, const QStringList &words, const QDateTime &now)
{
    QList<ReviewEvent> out;
    const QString when = progress::gameName(now);
    for (const QString &word : words)
        out.append({when, action, word});
    return out;
}

} // namespace

QString ReviewList::add(const QStringList &words, const QDateTime &now)
{
    return write(events(ReviewEvent::Action::Add, words, now));
}

QString ReviewList::met(const QStringList &words, const QDateTime &now)
{
    return write(events(ReviewEvent::Action::Met, words, now));
}

QString ReviewList::grade(const QList<GradedWord> &grades, const QDateTime &now)
{
    QList<ReviewEvent> out;
    const QString when = progress::gameName(now);
    for (const GradedWord &g : grades)
        out.append({when,
                    g.grade == fsrs::Grade::Again      ? ReviewEvent::Action::Again
                        : g.grade == fsrs::Grade::Hard ? ReviewEvent::Action::Hard
                                                       : ReviewEvent::Action::Good,
                    g.word});
    return write(out);
}

QString ReviewList::remove(const QStringList &words, const QDateTime &now)
{
    return write(events(ReviewEvent::Action::Drop, words, now));
}

} // namespace review
