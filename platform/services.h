#pragma once
// Services of the platform that the game's logic uses, as small interfaces so that
// tests can drive time, chance and the player's answers to message boxes.
#include <QDateTime>
#include <QString>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since local midnight, with their fraction.
    virtual double secondsSinceMidnight() const = 0;
    // The current local date and time.
    virtual QDateTime now() const = 0;
    // A clock that never jumps, in milliseconds from an arbitrary origin.
    virtual qint64 monotonicMs() const = 0;
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseedFromClock() = 0;
    // Uniform in [0, 1), single precision.
    virtual float next() = 0;
};

enum class MessageIcon { Critical, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel };
enum class MessageResult { Ok, Cancel };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Modal: returns when the player has closed the box.
    virtual MessageResult show(const QString &prompt, const QString &title, MessageIcon icon, MessageButtons buttons) = 0;
};

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Opens the help file (a bare name is found in the working folder) at its default topic.
    virtual void open(const QString &file) = 0;
    virtual void closeAll() = 0;
};

// The program around the window: showing it and ending.
class Program {
public:
    virtual ~Program() = default;
    virtual void showWindow() = 0;
    // Ends the program with this exit status; the caller returns from its handler at once.
    virtual void end(int exitCode) = 0;
};

} // namespace platform
