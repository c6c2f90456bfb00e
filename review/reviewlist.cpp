#include "reviewlist.h"

#include "files/delimited.h"
#include "platform/text/textfile.h"
#include "progress/record/answerfile.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>

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

bool ReviewList::contains(QStringView word) const
{
    return std::ranges::any_of(words_, [&](const ReviewWord &w) { return w.word == word; });
}

void ReviewList::apply(const ReviewEvent &event)
{
    const auto it = std::ranges::find(words_, event.word, &ReviewWord::word);
    switch (event.action) {
    case ReviewEvent::Action::Add:
        if (it == words_.end())
            words_.append({event.word, event.when});
        break;
    case ReviewEvent::Action::Keep:
        if (it == words_.end())
            words_.append({event.word, event.when, event.met, event.used});
        else
            *it = {event.word, event.when, event.met, event.used};
        break;
    case ReviewEvent::Action::Met:
        if (it != words_.end())
            ++it->met;
        break;
    case ReviewEvent::Action::Used:
        if (it != words_.end() && ++it->used >= kUsesToLearn)
            words_.erase(it);
        break;
    case ReviewEvent::Action::Drop:
        if (it != words_.end())
            words_.erase(it);
        break;
    }
}

QString ReviewList::start(const QDateTime &now)
{
    words_.clear();
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
        return tr("%1 を読めません（%2）。このあいだ、復習の言葉は覚えておきません。").arg(name, error);
    }
    if (lines > words_.size() + kSpareLines)
        compact();
    return {};
}

// The file rewritten whole with one line a word, as the fold left them.
void ReviewList::compact()
{
    QString text = file_.header();
    for (const ReviewWord &w : words_)
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
    QString error;
    if (!keeping_ || lines.isEmpty() || file_.append(lines, error) || std::exchange(failed_, true))
        return {};
    return tr("%1 に書き込めません（%2）。復習の一覧は、このあいだだけ覚えておきます。")
        .arg(progress::quotedName(file_.name()), error);
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
