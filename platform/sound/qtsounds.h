#pragma once
// The tones played through Qt Multimedia. Each is loaded when first needed (or by preload),
// and a machine with no audio output simply stays silent.
#include "platform/sound/sounds.h"

#include <array>
#include <memory>

class QSoundEffect;

namespace platform {

class QtSounds : public Sounds {
public:
    QtSounds();
    ~QtSounds() override;
    void preload() override;
    void play(Tone tone) override;

private:
    QSoundEffect *effect(Tone tone);

    std::array<std::unique_ptr<QSoundEffect>, 5> effects_;
    bool checkedOutput_ = false;
    bool haveOutput_ = false;
};

} // namespace platform
