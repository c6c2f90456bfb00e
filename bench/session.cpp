#include "session.h"

#include "platform/systemservices.h"
#include "ui/base/qtservices.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

namespace bench {
namespace {

// Records every box instead of showing it: the bench reports them.
struct QuietMessages : platform::MessageBoxes {
    QStringList shown;
    platform::MessageResult show(const QString &prompt, const QString &title, platform::MessageIcon,
                                 platform::MessageButtons) override
    {
        shown.append(title + QStringLiteral(": ") + prompt);
        return platform::MessageResult::Ok;
    }
};

struct NoHelp : platform::HelpViewer {
    void open(const QString &) override {}
    void closeAll() override {}
};

// The real window and its game, with the real clock and random source; message boxes are
// recorded, help does nothing.
class WindowSession : public Session {
public:
    WindowSession()
        : random_(clock_), program_(window_), game_(window_.attach({clock_, random_, messages_, help_, program_}))
    {
    }

    QString description() const override
    {
        return QStringLiteral("ui::MainWindow on the \"%1\" platform").arg(QGuiApplication::platformName());
    }
    bool startUp() override
    {
        const bool started = game_.Form_Load();
        runUntilIdle();
        return started;
    }
    game::Game &game() override { return game_; }
    ui::MainWindow &window() override { return window_; }
    void setAnswer(const QString &text) override { window_.controls().txtKaitou.setText(text); }
    QString currentWord() const override { return window_.controls().lblMondai.caption(); }
    QStringList messages() const override { return messages_.shown; }

private:
    mutable ui::MainWindow window_;
    platform::SystemClock clock_;
    platform::SystemRandom random_;
    QuietMessages messages_;
    NoHelp help_;
    ui::WindowProgram program_;
    game::Game &game_;
};

} // namespace

void runUntilIdle()
{
    for (int round = 0; round < 2; ++round) {
        QEventLoop loop;
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

std::unique_ptr<Session> makeSession()
{
    return std::make_unique<WindowSession>();
}

} // namespace bench
