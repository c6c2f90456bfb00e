#include "reviewlist.h"

#include "files/delimited.h"
#include "platform/text/textfile.h"
#include "progress/record/answerfile.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <limits>

namespace review {
namespace {

constexpr QLatin1StringView kFormatName("kanarinka review list");

struct ActionName {
    ReviewEvent::Action action;
    QLatin1StringView name;
};
constexpr std::array<ActionName, 5> kActions{{
    {ReviewEvent::Action::Add, QLatin1StringView("add")},
    {ReviewEvent::Action::Met, QLatin1StringView("met")},
    {ReviewEvent::Action::Used, QLatin1StringView("used")},
    {ReviewEvent::Action::Drop, QLatin1StringView("drop")},
    {ReviewEvent::Action::Keep, QLatin1StringView("keep")},
}};

// A rewrite is due when the file holds this many more lines than words.
constexpr int kSpareLines = 200;

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

std::optional<int> count(const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= 0 && !text.startsWith(u'+') ? std::optional(n) : std::nullopt;
}

} // namespace

QString formatReviewEvent(const ReviewEvent &event)
{
    QList<files::Field> fields{progress::recordText(event.when), QString(), progress::recordText(event.word)};
    for (const ActionName &a : kActions)
        if (a.action == event.action)
            fields[1] = QString(a.name);
    if (event.action == ReviewEvent::Action::Keep)
        fields << qint64(event.met) << qint64(event.used);
    return files::formatRecord(fields);
}

std::optional<ReviewEvent> parseReviewEvent(QStringView line)
{
    const QStringList v = progress::lineValues(line, 5);
    if (v.size() < 3 || v[2].isEmpty() || !progress::readWallTime(v[0]))
        return std::nullopt;
    const auto action = std::ranges::find(kActions, v[1], &ActionName::name);
    if (action == kActions.end())
        return std::nullopt;
    ReviewEvent event{v[0], action->action, v[2]};
    if (event.action == ReviewEvent::Action::Keep) {
        const std::optional<int> met = count(v.value(3)), used = count(v.value(4));
        if (!met || !used)
            return std::nullopt;
        event.met = *met;
        event.used = *used;
    }
    return event;
}

ReviewList::ReviewList(QString fileName) : file_(std::move(fileName), kFormatName, kReviewListVersion) {}

QList<ReviewWord> ReviewList::words() const
{
    QList<ReviewWord> out;
    out.reserve(index_.size());
    for (const ReviewWord &w : words_)
        if (!w.word.isEmpty())
            out.append(w);
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
    // Tidied once most of the list is gone: the index is made again.
    if (words_.size() > 2 * index_.size() + kSpareLines) {
        words_.removeIf([](const ReviewWord &w) { return w.word.isEmpty(); });
        for (qsizetype i = 0; i < words_.size(); ++i)
            index_[words_[i].word] = i;
    }
}

void ReviewList::apply(const ReviewEvent &event)
{
    const auto it = index_.constFind(event.word);
    if (it == index_.cend()) {
        if (event.action == ReviewEvent::Action::Add || event.action == ReviewEvent::Action::Keep) {
            index_.insert(event.word, words_.size());
            words_.append({event.word, event.when, event.met, event.used});
        }
        return;
    }
    const qsizetype at = *it;
    ReviewWord &w = words_[at];
    switch (event.action) {
    case ReviewEvent::Action::Add:
        break;
    case ReviewEvent::Action::Keep:
        w = {event.word, event.when, event.met, event.used};
        break;
    case ReviewEvent::Action::Met:
        countOne(w.met);
        break;
    case ReviewEvent::Action::Used:
        countOne(w.used);
        if (w.used >= kUsesToLearn)
            erase(at);
        break;
    case ReviewEvent::Action::Drop:
        erase(at);
        break;
    }
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
    if (lines > index_.size() + kSpareLines)
        compact();
    if (changed_)
        changed_();
    return {};
}

// The file rewritten whole with one line a word, as the fold left them.
void ReviewList::compact()
{
    QString text = file_.header();
    for (const ReviewWord &w : words())
        text += formatReviewEvent({w.added, ReviewEvent::Action::Keep, w.word, w.met, w.used});
    QString ignored; // the lines already there still hold the same list
    platform::rewriteTextFile(file_.name(), text, ignored, platform::TextEncoding::Utf8);
}

QString ReviewList::write(ReviewEvent::Action action, const QStringList &words, const QDateTime &now)
{
    QString lines;
    const QString when = progress::gameName(now);
    for (const QString &word : words) {
        const ReviewEvent event{when, action, word};
        // Only what changes the list is written.
        const bool listed = contains(word);
        if (word.isEmpty() || (action == ReviewEvent::Action::Add ? listed : !listed))
            continue;
        apply(event);
        lines += formatReviewEvent(event);
    }
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

QString ReviewList::add(const QStringList &words, const QDateTime &now)
{
    return write(ReviewEvent::Action::Add, words, now);
}

QString ReviewList::met(const QStringList &words, const QDateTime &now)
{
    return write(ReviewEvent::Action::Met, words, now);
}

QString ReviewList::used(const QStringList &answers, const QDateTime &now)
{
    return write(ReviewEvent::Action::Used, answers, now);
}

QString ReviewList::remove(const QStringList &words, const QDateTime &now)
{
    return write(ReviewEvent::Action::Drop, words, now);
}

} // namespace review
