#pragma once
// What must not interrupt a game: messages, and the review that opens after one. Each is done
// at once while the game is idle and no message box is open, otherwise held, in order, until
// both hold again. Every box of the window is shown through here, so it knows when the last
// one closes; no timer asks.
#include "game/gameevents.h"
#include "platform/services.h"

#include <QList>
#include <QObject>
#include <functional>

namespace ui {

class HeldMessages : public QObject, public platform::MessageBoxes, public game::GameEvents {
    Q_OBJECT
public:
    HeldMessages(platform::MessageBoxes &boxes, const game::Phase &phase, QObject *parent = nullptr);

    // A box at once, counted while it is open.
    platform::MessageResult show(const QString &prompt, const QString &title, platform::MessageIcon icon,
                                 platform::MessageButtons buttons) override;
    // An information box, held; an empty message is none.
    void tell(const QString &prompt, const QString &title);
    void whenIdle(std::function<void()> step);

    void phaseChanged(game::GamePhase phase) override;

private:
    bool idle() const;
    // Once control is back in the event loop: the handler that closed the last box, or ended
    // the game, finishes first.
    void releaseSoon();
    void release();

    platform::MessageBoxes &boxes_;
    const game::Phase &phase_;
    int open_ = 0;
    bool releaseDue_ = false;
    QList<std::function<void()>> held_;
};

} // namespace ui
