#include "couldhaveused.h"

#include "game/rules.h"

#include <QSet>
#include <algorithm>

namespace review {

void SaidWords::addItems(const platform::TextItems &items)
{
    for (qsizetype i = 0; i < items.count(); ++i)
        words_.append(items.at(i).toString());
}

QStringList wordsYouCouldHaveUsed(const QString &current, std::span<const QString> dictionary,
                                  const platform::ListBox &said, const std::function<int(const QString &)> &rank,
                                  int count)
{
    QStringList passing;
    QSet<QString> seen;
    for (const QString &word : dictionary) {
        if (game::judgeAnswer(word, current, said) == game::AnswerVerdict::Accepted && !seen.contains(word)) {
            seen.insert(word);
            passing.append(word);
        }
    }
    std::ranges::stable_sort(passing, {}, &QString::size);
    if (!rank) {
        passing.resize(std::min<qsizetype>(count, passing.size()));
        return passing;
    }
    // Ranks are asked for shortest first, and only until the top rank has filled the list.
    struct Ranked {
        int rank;
        qsizetype order;
    };
    QList<Ranked> best;
    for (qsizetype i = 0; i < passing.size(); ++i) {
        best.append({std::clamp(rank(passing[i]), 0, kTopRank), i});
        std::ranges::stable_sort(best, std::greater<>(), &Ranked::rank);
        if (best.size() > count)
            best.removeLast();
        if (best.size() == count && best.back().rank == kTopRank)
            break;
    }
    QStringList out;
    for (const Ranked &b : best)
        out.append(passing[b.order]);
    return out;
}

} // namespace review
