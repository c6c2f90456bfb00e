#pragma once
// The real window with its play aids on fake services, in a folder of its own, with the timers
// stopped so that tests tick by hand.
#include "fakes.h"
#include "harness.h"
#include "ui/aids/playaids.h"
#include "ui/main/answerbox.h"
#include "ui/main/mainwindow.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

struct AidedWindow {
    QTemporaryDir dir;
    QString previousDir = QDir::currentPath();
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
        QDir::setCurrent(dir.path());
        fakes::writeBytes(u"設定.txt"_qs, "60,0\r\n");
        fakes::writeBytes(u"辞書.txt"_qs, fakes::cp932(words));
        fakes::writeBytes(u"履歴.txt"_qs, "");
        store.saved = preferences;
    }
    ~AidedWindow() { QDir::setCurrent(previousDir); }

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
