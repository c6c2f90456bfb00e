#pragma once
// One program run for measuring: the game's logic with its controls and services, started
// in the current working folder.
#include "game/game.h"
#include "ui/main/mainwindow.h"

#include <QString>
#include <memory>

namespace bench {

class Session {
public:
    virtual ~Session() = default;
    // What the figures are measured on.
    virtual QString description() const = 0;
    // Start-up (Form_Load) until the program waits for events; false when it stopped.
    virtual bool startUp() = 0;
    virtual game::Game &game() = 0;
    virtual ui::MainWindow &window() = 0;
    // Puts text into the answer box, as typing does.
    virtual void setAnswer(const QString &text) = 0;
    // The computer's current word.
    virtual QString currentWord() const = 0;
    // Message boxes shown so far, as "title: prompt" (the bench expects none).
    virtual QStringList messages() const = 0;
};

std::unique_ptr<Session> makeSession();

// Lets the event loop run until nothing is left to do: shown windows laid out and painted.
void runUntilIdle();

} // namespace bench
