#pragma once
// Drawn over the computer's word (lblMondai) without touching its text, which the rules read:
// the kana to start with in colour, a 「つぎ：や」 badge where that kana is not plain to see,
// and the word in romaji underneath for those who type romaji, or its keys for kana input.
#include "platform/kana/keyguide.h"
#include "platform/kana/romajiguide.h"

#include <optional>

#include <QWidget>

class QLabel;

namespace ui {

// The badge for the answer to this word, or nothing where its last kana says it all.
QString cueBadge(const QString &word);

class WordCue : public QWidget {
    Q_OBJECT
public:
    explicit WordCue(QLabel *word);
    void setOptions(bool cue, bool guide);
    // The guide shows the keys of this kana keyboard instead of romaji; none: romaji.
    void setKeyGuide(std::optional<platform::KanaKeyboard> keyboard);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *word_;
    bool cue_ = false;
    bool guide_ = false;
    platform::RomajiSpeller speller_;
    std::optional<platform::KanaKeyGuide> keyGuide_;
};

} // namespace ui
