#pragma once
// A script that plays the game on a desktop of its own (scripts/ime-play, scripts/wayland-play),
// run to its end: it ends everything it started when stopped, and exits 77 where this machine
// can't run that desktop.
#include <QProcess>
#include <QString>
#include <QStringList>

namespace fakes {

struct DesktopPlay {
    enum class Outcome { Played, CantRunHere, Failed };
    Outcome outcome = Outcome::Failed;
    QString told; // what it said on its standard error; for CantRunHere, the reason alone
};

// `script` and its arguments, given up to `seconds`.
inline DesktopPlay playOnDesktop(const QString &script, const QStringList &arguments, int seconds)
{
    QProcess play;
    play.start(QStringLiteral("bash"), QStringList{script} + arguments);
    if (!play.waitForFinished(seconds * 1000)) {
        play.terminate();
        play.waitForFinished(15000);
        return {DesktopPlay::Outcome::Failed, QStringLiteral("%1 did not finish in %2 s").arg(script).arg(seconds)};
    }
    const QString told = QString::fromUtf8(play.readAllStandardError()).trimmed();
    if (play.exitStatus() != QProcess::NormalExit)
        return {DesktopPlay::Outcome::Failed, told};
    if (play.exitCode() == 77)
        return {DesktopPlay::Outcome::CantRunHere, told.split(u'\n').last()};
    return {play.exitCode() == 0 ? DesktopPlay::Outcome::Played : DesktopPlay::Outcome::Failed, told};
}

} // namespace fakes
