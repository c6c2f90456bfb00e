#pragma once
// The review list: words the player met in a review or marked 「覚えたい」, kept until the
// player has used each correctly in a chain three times, or takes it off by hand. A file of
// its own beside the game's three, written the way the answer record is: UTF-8, a first line
// naming the format and version, each change appended as one line, a damaged file set aside.
#include "progress/record/recordfile.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace review {

inline const QString kReviewListFile = QStringLiteral("復習.txt");
constexpr int kReviewListVersion = 1;

// "2026/12/07 18:40:00","add","きょうか": when, what happened, the word; a "keep" line also
// holds the word's counts, as a rewritten file states them.
struct ReviewEvent {
    enum class Action { Add, Met, Used, Drop, Keep };
    QString when; // "yyyy/MM/dd hh:mm:ss"
    Action action = Action::Add;
    QString word;
    int met = 0, used = 0; // Keep only
    bool operator==(const ReviewEvent &) const = default;
};

QString formatReviewEvent(const ReviewEvent &event);
std::optional<ReviewEvent> parseReviewEvent(QStringView line);

struct ReviewWord {
    QString word;
    QString added; // "yyyy/MM/dd hh:mm:ss"
    int met = 0;   // games it came up in since it was added
    int used = 0;  // correct answers with it since then
    bool operator==(const ReviewWord &) const = default;
};

class ReviewList {
public:
    // Correct uses in a chain after which a word has been learned and leaves.
    static constexpr int kUsesToLearn = 3;

    explicit ReviewList(QString fileName = kReviewListFile);
    const QString &fileName() const { return file_.name(); }

    // Reads the file once, after start-up. What to tell the player once, empty when all is
    // well; after a file that cannot be used, the list is empty and nothing is written.
    QString start(const QDateTime &now);
    bool keeping() const { return keeping_; }

    // In the order they were added.
    QList<ReviewWord> words() const;
    qsizetype size() const { return index_.size(); }
    const ReviewWord *find(const QString &word) const;
    bool contains(const QString &word) const { return find(word) != nullptr; }
    // Called after every change: the file read, a word added, counted or taken off.
    void setOnChange(std::function<void()> changed) { changed_ = std::move(changed); }

    // Each change is applied and appended at once. The first failure of the session comes
    // back as a message to show; later ones are silent, and the list goes on in memory.
    QString add(const QStringList &words, const QDateTime &now);
    // Words on the list that came up in a finished game.
    QString met(const QStringList &words, const QDateTime &now);
    // Correct answers; a word used kUsesToLearn times leaves.
    QString used(const QStringList &answers, const QDateTime &now);
    // Taken off by hand, or forgotten from the dictionary.
    QString remove(const QStringList &words, const QDateTime &now);

    // The fold every line goes through, read or written.
    void apply(const ReviewEvent &event);

private:
    QString write(ReviewEvent::Action action, const QStringList &words, const QDateTime &now);
    void compact();

    void erase(qsizetype at);

    progress::RecordFile file_;
    // In the order added, a word taken off left empty until the next tidying; looked up
    // through the index, since every line read and every reply asks for a word.
    QList<ReviewWord> words_;
    QHash<QString, qsizetype> index_;
    std::function<void()> changed_;
    bool keeping_ = true;
    bool failed_ = false;
};

} // namespace review
