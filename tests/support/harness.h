#pragma once
// A game on fake controls and services, in a temporary working folder of its own.
#include "fakes.h"
#include "game/game.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
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
inline QByteArray cp932(const QString &text)
{
    QStringEncoder encoder("windows-31j");
    return encoder.encode(text);
}

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

    // Writes those of the three files given (CP932) into the working folder of its own.
    explicit Harness(const QByteArray &settings = "60,1\r\n", const QByteArray &dictionary = {},
                     const QByteArray &history = {})
    {
        fraRireki.visible = false;
        for (const auto &[name, bytes] : {std::pair{u"設定.txt"_qs, settings}, std::pair{u"辞書.txt"_qs, dictionary},
                                          std::pair{u"履歴.txt"_qs, history}})
            if (!bytes.isNull())
                writeBytes(name, bytes);
        game = std::make_unique<game::Game>(game::Controls{lblMondai, lblOk, lblNg, lblMoji_T, lblByou, lblRitu,
                                                           txtKaitou, lstRireki, lstInpRireki, lstHukusu, lstJisyo,
                                                           fraRireki, fraJisyo, cmdStart, chkAs, cboJikan, shpJikanK,
                                                           imgStart, msgRireki},
                                            game::Services{clock, random, messages, help, program});
        chkAs.onClick = [this] { game->chkAs_Click(); };
        cboJikan.onClick = [this] { game->cboJikan_Click(); };
    }

    // Start-up; true when it reached idle.
    bool load() { return game->Form_Load(); }
    // A click on スタート and the three countdown ticks, one second apart.
    void startGame(QList<float> firstDraw = {0.0f})
    {
        game->cmdStart_Click();
        random.values = firstDraw + random.values;
        for (int tick = 0; tick < 3; ++tick) {
            clock.advance(1000);
            game->tmrStart_Timer();
        }
    }
    // Types text into the answer box and presses Enter.
    void answer(const QString &text)
    {
        txtKaitou.value = text;
        quint16 key = 13;
        game->txtKaitou_KeyPress(key);
        QCOMPARE(key, quint16(0));
    }
    // Both timers tick, one second apart, whatever the game does.
    void tick(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            clock.advance(1000);
            game->tmrStart_Timer();
            game->tmrBp_Timer();
        }
    }
    // Ticks until the game ends.
    void playOut()
    {
        for (int i = 0; i < 400 && game->blnPlaying; ++i)
            tick(1);
    }
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
