#include "qtsounds.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace platform {

QtSounds::QtSounds() = default;

QtSounds::~QtSounds() = default;

QSoundEffect *QtSounds::effect(Tone tone)
{
    if (!checkedOutput_) {
        checkedOutput_ = true;
        haveOutput_ = !QMediaDevices::audioOutputs().isEmpty();
    }
    if (!haveOutput_)
        return nullptr;
    static const char *const files[] = {"countdown", "countdown-last", "accepted", "rejected", "time-up"};
    const auto index = std::size_t(tone);
    if (!effects_[index]) {
        effects_[index] = std::make_unique<QSoundEffect>();
        effects_[index]->setSource(QUrl(QStringLiteral("qrc:/sounds/%1.wav").arg(QLatin1String(files[index]))));
    }
    return effects_[index].get();
}

void QtSounds::preload()
{
    for (Tone tone : {Tone::Countdown, Tone::CountdownLast, Tone::Accepted, Tone::Rejected, Tone::TimeUp})
        effect(tone);
}

void QtSounds::play(Tone tone)
{
    if (QSoundEffect *e = effect(tone))
        e->play();
}

} // namespace platform
