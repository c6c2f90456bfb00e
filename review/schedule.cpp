#include "schedule.h"

#include "couldhaveused.h"

#include <QSet>

namespace review {

void PlayGrades::answerRecorded(const progress::AnswerRow &row)
{
    if (row.verdict == game::AnswerVerdict::Accepted)
        accepted_.append(row);
}

void PlayGrades::gameStarted()
{
    accepted_.clear();
}

QList<GradedWord> PlayGrades::grades(const ReviewList &list, const QList<ReviewMoment> &moments,
                                     const UsualStall &usual) const
{
    QList<GradedWord> out;
    QSet<QString> graded;
    for (const progress::AnswerRow &row : accepted_) {
        if (!list.contains(row.answer) || graded.contains(row.answer))
            continue;
        const std::optional<qint64> usualMs = usual ? usual(row.expected) : std::nullopt;
        out.append({row.answer, usualMs && row.stallMs > *usualMs ? fsrs::Grade::Hard : fsrs::Grade::Good});
        graded.insert(row.answer);
    }
    if (std::ranges::none_of(moments, [](const ReviewMoment &m) { return m.kind == ReviewMoment::Kind::Mistake; }))
        return out;
    for (const ReviewMoment &moment : moments) {
        if (moment.kind != ReviewMoment::Kind::Mistake)
            continue;
        // Only words that start right are put to the rules: the list may hold thousands.
        QStringList starting;
        list.forEachWord([&](const ReviewWord &w) {
            if (w.word.startsWith(moment.needed()) && !graded.contains(w.word))
                starting.append(w.word);
        });
        for (const QString &word :
             wordsYouCouldHaveUsed(moment.current, starting, SaidWords(moment.answered), {}, int(starting.size()))) {
            out.append({word, fsrs::Grade::Again});
            graded.insert(word);
        }
    }
    return out;
}

} // namespace review
