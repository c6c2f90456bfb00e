#pragma once
// The review list: words the player met in a review or marked 「覚えたい」, each with a memory
// that play grades (see fsrs.h), so that a word comes back when it is about to be forgotten.
// A word leaves once it is learned, when it is taken off by hand, or forgotten from the
// dictionary. A file of its own beside the game's three, written the way the answer record
// is: UTF-8, a first line naming the format and version, each change appended as one line, a
// damaged file set aside.
#include "fsrs.h"
#include "progress/record/recordfile.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace review {

inline const QString kReviewListFile = QStringLiteral("復習.txt");
// Version 1 kept counts only; it is read, and written as version 2 from then on.
constexpr int kReviewListVersion = 2;

// "2026/12/07 18:40:00","add","きょうか": when, what happened, the word. A "keep" line also
// holds the word's counts and memory, as a rewritten file states them.
struct ReviewEvent {
    // Used: version 1's correct answer, counted only.
    enum class Action { Add, Met, Used, Good, Hard, Again, Drop, Keep };
    QString when; // "yyyy/MM/dd hh:mm:ss"
    Action action = Action::Add;
    QString word;
    // Keep only.
    int met = 0, used = 0;
    QString reviewed = {};                   // the last grade's time; empty for a word never graded
    std::optional<fsrs::Memory> memory = {}; // with `reviewed`
    bool operator==(const ReviewEvent &) const = default;
};

QString formatReviewEvent(const ReviewEvent &event);
std::optional<ReviewEvent> parseReviewEvent(QStringView line);

struct ReviewWord {
    QString word;
    QString added;         // "yyyy/MM/dd hh:mm:ss"
    int met = 0;           // games it came up in since it was added
    int used = 0;          // correct answers with it since then
    QString reviewed = {}; // the last grade's time; empty until play grades it
    std::optional<fsrs::Memory> memory = {};
    QDate due = {}; // the day it comes back: the day it was added, until play grades it
    bool operator==(const ReviewWord &) const = default;
};

// What a game told about a word on the list.
struct GradedWord {
    QString word;
    fsrs::Grade grade;
    bool operator==(const GradedWord &) const = default;
};

class ReviewList {
public:
    // A word whose next review is further off than this has been learned, and leaves.
    static constexpr int kLearnedDays = 60;

    explicit ReviewList(QString fileName = kReviewListFile);
    const QString &fileName() const { return file_.name(); }

    // Reads the file once, after start-up. What to tell the player once, empty when all is
    // well; after a file that cannot be used, the list is empty and nothing is written.
    QString start(const QDateTime &now);
    bool keeping() const { return keeping_; }

    // In the order they were added.
    QList<ReviewWord> words() const;
    // The same without copying them.
    template <typename F>
    void forEachWord(F &&f) const
    {
        for (const ReviewWord &w : words_)
            if (!w.word.isEmpty())
                f(w);
    }
    qsizetype size() const { return index_.size(); }
    const ReviewWord *find(const QString &word) const;
    bool contains(const QString &word) const { return find(word) != nullptr; }
    // The words due on `day` or before.
    qsizetype dueCount(QDate day) const;
    // Called after every change: the file read, a word added, met, graded or taken off.
    void setOnChange(std::function<void()> changed) { changed_ = std::move(changed); }

    // Each change is applied and appended at once. The first failure of the session comes
    // back as a message to show; later ones are silent, and the list goes on in memory.
    QString add(const QStringList &words, const QDateTime &now);
    // Words on the list that came up in a finished game.
    QString met(const QStringList &words, const QDateTime &now);
    // What a finished game told about words on the list; a word learned leaves.
    QString grade(const QList<GradedWord> &grades, const QDateTime &now);
    // Taken off by hand, or forgotten from the dictionary.
    QString remove(const QStringList &words, const QDateTime &now);

    // The fold every line goes through, read or written.
    void apply(const ReviewEvent &event);

private:
    QString write(const QList<ReviewEvent> &events);
    bool compact(QString &error);
    void erase(qsizetype at);
    void tidy();
    void settleCounts();

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
