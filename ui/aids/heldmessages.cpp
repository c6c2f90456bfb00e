#include "heldmessages.h"

#include <QTimer>

namespace ui {

HeldMessages::HeldMessages(platform::MessageBoxes &boxes, const game::Phase &phase, QObject *parent)
    : QObject(parent), boxes_(boxes), phase_(phase)
{
}

platform::MessageResult HeldMessages::show(const QString &prompt, const QString &title, platform::MessageIcon icon,
                                           platform::MessageButtons buttons)
{
    ++open_;
    const platform::MessageResult result = boxes_.show(prompt, title, icon, buttons);
    if (--open_ == 0)
        releaseSoon();
    return result;
}

void HeldMessages::tell(const QString &prompt, const QString &title)
{
    if (!prompt.isEmpty())
        whenIdle([this, prompt, title] {
            show(prompt, title, platform::MessageIcon::Information, platform::MessageButtons::Ok);
        });
}

void HeldMessages::whenIdle(std::function<void()> step)
{
    if (idle() && held_.isEmpty()) {
        step();
        return;
    }
    held_.append(std::move(step));
    releaseSoon();
}

void HeldMessages::phaseChanged(game::GamePhase phase)
{
    if (phase == game::GamePhase::Idle)
        releaseSoon();
}

bool HeldMessages::idle() const
{
    return phase_.now() == game::GamePhase::Idle && open_ == 0;
}

void HeldMessages::releaseSoon()
{
    if (held_.isEmpty() || std::exchange(releaseDue_, true))
        return;
    QTimer::singleShot(0, this, [this] {
        releaseDue_ = false;
        release();
    });
}

void HeldMessages::release()
{
    // A step that opens a box holds the rest until it is closed.
    while (idle() && !held_.isEmpty())
        held_.takeFirst()();
}

} // namespace ui
