#pragma once
// 「使えた言葉」: words the game's dictionary held that would have passed every rule at a moment
// of play. Shown only after the game: during play they would hand the player the answer.
#include "platform/controls.h"

#include <QStringList>
#include <functional>
#include <span>

namespace review {

// The player's answers in a game, as the list the game's duplicate rule reads.
class SaidWords : public platform::ListBox {
public:
    SaidWords() = default;
    explicit SaidWords(QStringList words) : words_(std::move(words)) {}
    const QStringList &words() const { return words_; }

    void addItem(const QString &text) override { words_.append(text); }
    void addItems(const platform::TextItems &items) override;
    void clear() override { words_.clear(); }
    int count() const override { return int(words_.size()); }
    QString item(int index) const override { return words_.value(index); }
    void setFocus() override {}

private:
    QStringList words_;
};

constexpr int kWordsSuggested = 3;
// Ranks run from 0 to this.
constexpr int kTopRank = 2;

// Up to `count` words of `dictionary` that the answer check would have accepted after
// `current`, with `said` as the player's answers before. Higher `rank` first (the caller's
// say: a word with a meaning, a common word), then shorter words, then the dictionary's
// order. Each word once, however often the dictionary holds it.
QStringList wordsYouCouldHaveUsed(const QString &current, std::span<const QString> dictionary,
                                  const platform::ListBox &said, const std::function<int(const QString &)> &rank = {},
                                  int count = kWordsSuggested);

} // namespace review
