#pragma once
// Keystrokes per minute, the speed figure of Japanese typing: romaji takes about two keys a
// kana, so characters per second alone flatter neither input.
#include "progress/record/answerfile.h"

namespace progress {

struct GameKeystrokes {
    QString game;
    qint64 keys = 0;     // of the answers whose keys are known
    qint64 typingMs = 0; // from the first key to Enter, over those answers
    // Keys a minute of typing; thinking before the first key is the kana map's business.
    double perMinute() const { return typingMs > 0 ? keys * 60000.0 / typingMs : 0.0; }
};

// A fold over the record in its order: one entry for each game that has answers with known
// keys and some typing time.
class KeystrokeTally {
public:
    void add(const AnswerRow &row);
    QList<GameKeystrokes> games() const;

private:
    QList<GameKeystrokes> games_;
};

} // namespace progress
