#pragma once
// The real window with its play aids on fake services, in a folder of its own, with the timers
// stopped so that tests tick by hand.
#include "fakes.h"
#include "harness.h"
#include "translations/language.h"
#include "ui/aids/playaids.h"
#include "ui/main/answerbox.h"
#include "ui/main/mainwindow.h"
#include "ui/progress/progressaids.h"
#include "ui/review/wordsaids.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// The language switched, its posted change events delivered to every window.
inline void switchTo(platform::Language language)
{
    translations::apply(language);
    QCoreApplication::processEvents();
}

struct AidedWindow : fakes::InFolder {
    fakes::Clock clock;
    fakes::Random random;
    fakes::Messages messages;
    fakes::Help help;
    fakes::Program program;
    fakes::PreferenceStore store;
    fakes::Sounds sounds;
    ui::MainWindow window;
    std::unique_ptr<ui::PlayAids> aids;
    game::Game *game = nullptr;

    explicit AidedWindow(platform::Preferences preferences = {},
                         const QString &words = u"りんご\r\nごりら\r\nらっぱ\r\n"_qs)
    {
        fakes::writeBytes(u"設定.txt"_qs, "60,0\r\n");
        fakes::writeBytes(u"辞書.txt"_qs, fakes::cp932(words));
        fakes::writeBytes(u"履歴.txt"_qs, "");
        store.saved = preferences;
    }

    // Attaches the game as main.cpp does (`more` attaches further listeners), loads and shows.
    // The aids are made here unless the test made them.
    void load(const std::function<void(game::Game &)> &more = {})
    {
        if (!aids)
            aids = std::make_unique<ui::PlayAids>(window, messages, store, sounds, clock);
        game = &window.attach({clock, random, aids->messages(), help, program});
        aids->attach(*game);
        if (more)
            more(*game);
        for (QTimer *timer : window.findChildren<QTimer *>())
            timer->stop();
        QVERIFY(game->Form_Load());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    void start()
    {
        game->cmdStart_Click();
        for (int tick = 0; tick < 3; ++tick)
            game->tmrStart_Timer();
    }
    // The play clock past the end of the game.
    void playOut()
    {
        clock.advance(61000);
        game->tmrBp_Timer();
    }
    template <typename T = QWidget>
    T *find(QAnyStringView name)
    {
        T *widget = window.findChild<T *>(name.toString());
        return widget ? widget
                      : (QTest::qFail(qPrintable(u"no control "_qs + name.toString()), __FILE__, __LINE__), nullptr);
    }
    void answer(const QString &kana)
    {
        auto *box = find<ui::AnswerBox>("txtKaitou");
        box->setText(kana);
        QTest::keyClick(box, Qt::Key_Return);
    }
};

// The window as main.cpp builds it, with the progress aids and, when asked for, the words aids
// (with no meanings to read); `files` are written into its folder before it loads.
struct FullWindow : AidedWindow {
    std::unique_ptr<ui::ProgressAids> progress;
    std::unique_ptr<ui::WordsAids> words;

    explicit FullWindow(bool withWords, platform::Preferences preferences = {},
                        const QString &dictionary = u"りんご\r\nごりら\r\nごま\r\nらっぱ\r\n"_qs,
                        const QMap<QString, QByteArray> &files = {})
        : AidedWindow(preferences, dictionary)
    {
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            fakes::writeBytes(it.key(), it.value());
        messages.allowAny = true;
        aids = std::make_unique<ui::PlayAids>(window, messages, store, sounds, clock);
        progress = std::make_unique<ui::ProgressAids>(window, *aids, clock);
        if (withWords)
            words = std::make_unique<ui::WordsAids>(window, *aids, *progress, clock, dir.filePath(u"no-edict"_qs));
        load([this](game::Game &g) {
            progress->attach(g);
            if (words)
                words->attach(g);
        });
        progress->start();
        if (words)
            words->start();
    }
    // A game from the idle window's next tick, as the real timers run, to its end.
    void play(const QStringList &answers)
    {
        game->tmrStart_Timer();
        start();
        for (const QString &kana : answers)
            answer(kana);
        playOut();
        QTest::qWait(20);
    }
};
