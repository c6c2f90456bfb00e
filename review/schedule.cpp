#include "schedule.h"

#include "couldhaveused.h"

#include <QHash>
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
    // Only words that start right are put to the rules: the list, which may hold thousands,
    // is gone through once for the kana the mistakes needed.
    QHash<QChar, QStringList> byKana;
    for (const ReviewMoment &moment : moments)
        if (moment.kind == ReviewMoment::Kind::Mistake)
            byKana.insert(moment.needed(), {});
    if (byKana.isEmpty())
        return out;
    list.forEachWord([&](const ReviewWord &w) {
        if (const auto found = byKana.find(w.word.front()); found != byKana.end())
            found->append(w.word);
    });
    for (const ReviewMoment &moment : moments) {
        if (moment.kind != ReviewMoment::Kind::Mistake || moment.needed().isNull())
            continue;
        QStringList starting;
        for (const QString &word : std::as_const(byKana[moment.needed()]))
            if (!graded.contains(word))
                starting.append(word);
        for (const QString &word :
             wordsYouCouldHaveUsed(moment.current, starting, SaidWords(moment.answered), {}, int(starting.size()))) {
            out.append({word, fsrs::Grade::Again});
            graded.insert(word);
        }
    }
    return out;
}

} // namespace review
