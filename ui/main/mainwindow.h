#pragma once
// The one window: every control at its place in the twips layout, the adapters the game's
// logic drives, and the wiring of the controls' events to the game's handlers.
#include "adapters.h"
#include "game/game.h"
#include "layout.h"

#include <QRect>
#include <QWidget>
#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class QTimer;
class QToolButton;

namespace ui {

class AnswerBox;
class ClickFrame;
class HistoryGrid;
class PickCombo;
class PictureCheckBox;
class WordList;

// The controls the window's aids work on, handed over typed rather than looked up by name.
struct AidedControls {
    QGroupBox *playingArea; // Frame1
    QLabel *word;           // lblMondai
    QLabel *speed;          // lblByou
    AnswerBox *answer;      // txtKaitou
    QToolButton *start, *help;
    HistoryGrid *history; // msgRireki
    WordList *chain;      // lstRireki
    WordList *learned;    // lstJisyo, in its frame fraJisyo
    QGroupBox *learnedFrame;
};

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The controls as the game's logic sees them.
    game::Controls controls();
    AidedControls aidedControls() const;

    // Creates the game on these services, wires every event to its handler and starts both
    // timers. Call once; the game lives as long as the window.
    game::Game &attach(const game::Services &services);
    game::Game *game() const { return game_.get(); }

    // Names the labels that show a value (the word to answer, the statistics) with it for a
    // screen reader; call when they change.
    void nameValues();

private:
    // A control of the layout table, made in its container and placed; `args` go before the parent.
    template <typename W, typename... Args>
    W *add(const char *name, Args &&...args);
    template <typename W>
    W *placed(W *widget, const char *name);
    QLabel *addLabel(const char *name, double points, Qt::Alignment alignment, bool border);
    QWidget *addShape(const char *name, const QColor &fill);
    QLabel *addImage(const char *name, const QPixmap &pixmap);
    WordList *addList(const char *name, bool sorted);

    void buildTitleRow();
    void buildPlayingArea();
    void buildPlayTime();
    void buildStatistics();
    void buildWordBoxes();
    void buildPanels();
    void buildLists();
    void orderFocus();

    // Window level.
    QToolButton *cmdStart_, *cmdHozon_, *cmdClear_, *cmdHelp_, *cmdEnd_;
    // Inside the playing area.
    QGroupBox *Frame1_;
    QLabel *lblMondai_, *lblOk_, *lblNg_, *lblMoji_T_, *lblByou_, *lblRitu_;
    AnswerBox *txtKaitou_;
    WordList *lstRireki_, *lstInpRireki_, *lstHukusu_, *lstJisyo_;
    ClickFrame *fraRireki_, *fraJisyo_;
    PictureCheckBox *chkAs_;
    PickCombo *cboJikan_;
    QWidget *shpJikanK_;
    std::array<QWidget *, 3> imgStart_;
    HistoryGrid *msgRireki_;
    QTimer *tmrStart_, *tmrBp_;
    // The widget of each row of the layout table.
    std::vector<QWidget *> placed_;

    // Adapters, built once the widgets exist.
    struct Adapters;
    std::unique_ptr<Adapters> adapters_;
    std::unique_ptr<game::Game> game_;
};

} // namespace ui
