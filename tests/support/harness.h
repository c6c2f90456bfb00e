#pragma once
// A game on fake controls and services, in a temporary working folder of its own.
#include "fakes.h"
#include "game/game.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace fakes {

// Bytes of a file in the working folder; a missing file gives a null array.
inline QByteArray fileBytes(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeBytes(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A folder where the file was, so that it can be neither read nor written.
inline void makeFolder(const QString &name)
{
    QFile::remove(name);
    QVERIFY(QDir().mkdir(name));
}

// CP932 bytes of UTF-8 text, for the expected contents of files.
QByteArray cp932(const QString &text);

// Latin letters, and no kanji or katakana, the Japanese texts' script (words played are kana, ー
// included).
inline bool inEnglish(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetter() && c.unicode() < 128; })
        && std::none_of(text.cbegin(), text.cend(), [](QChar c) {
               return (c >= u'\u30A0' && c <= u'\u30FF' && c != u'ー') || (c >= u'\u4E00' && c <= u'\u9FFF');
           });
}

// A lower soft limit on a resource while it lives, root included; a write past a file size
// limit fails rather than ending the program.
struct ResourceLimit {
    int resource;
    rlimit old{};
    ResourceLimit(int which, rlim_t soft) : resource(which)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(resource, &old);
        const rlimit lower{soft, old.rlim_max};
        QVERIFY(setrlimit(resource, &lower) == 0);
    }
    ~ResourceLimit() { setrlimit(resource, &old); }
};

// A temporary folder made the working folder while it lives.
struct InFolder {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();
    InFolder() { QDir::setCurrent(dir.path()); }
    ~InFolder() { QDir::setCurrent(previous); }
};

struct Harness : InFolder {
    Focus focus;
    Label lblMondai, lblOk, lblNg, lblMoji_T, lblByou, lblRitu;
    TextBox txtKaitou{QStringLiteral("txtKaitou"), focus};
    ListBox lstRireki{QStringLiteral("lstRireki"), focus};
    ListBox lstInpRireki{QStringLiteral("lstInpRireki"), focus};
    ListBox lstHukusu{QStringLiteral("lstHukusu"), focus};
    ListBox lstJisyo{QStringLiteral("lstJisyo"), focus, true};
    Frame fraRireki, fraJisyo;
    Button cmdStart;
    CheckBox chkAs;
    ComboBox cboJikan;
    Shape shpJikanK;
    ImageArray imgStart;
    Grid msgRireki;

    Clock clock;
    Random random;
    Messages messages;
    Help help;
    Program program;

    std::unique_ptr<game::Game> game;

    // Writes the three files (CP932) into a fresh folder and makes it the working folder.
    explicit Harness(const QByteArray &settings = "60,1\r\n", const QByteArray &dictionary = {},
                     const QByteArray &history = {});

    // Start-up; true when it reached idle.
    bool load();
    // A click on スタート and the three countdown ticks, one second apart.
    void startGame(QList<float> firstDraw = {0.0f});
    // Types text into the answer box and presses Enter.
    void answer(const QString &text);
    // Play-clock ticks until the game ends.
    void playOut();
    // Both timers tick, one second apart, whatever the game does.
    void tick(int seconds);
};

// A game started up on these files.
struct Loaded : Harness {
    Loaded(const QByteArray &settings, const QByteArray &words, const QByteArray &history = "")
        : Harness(settings, words, history)
    {
        QVERIFY(load());
    }
};

} // namespace fakes
