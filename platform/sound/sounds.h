#pragma once
// Short tones for what happens in play. A machine without audio plays nothing, silently.
namespace platform {

enum class Tone { Countdown, CountdownLast, Accepted, Rejected, TimeUp };

class Sounds {
public:
    virtual ~Sounds() = default;
    virtual void play(Tone tone) = 0;
    // Gets every tone ready, so the first plays on time.
    virtual void preload() {}
};

} // namespace platform
