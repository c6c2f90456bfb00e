#pragma once
// The one window: every control at its place in the twips layout, the adapters the game's
// logic drives, and the wiring of the controls' events to the game's handlers.
#include "adapters.h"
#include "game/game.h"

#include <QRect>
#include <QWidget>
#include <memory>
#include <optional>
#include <span>

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

// A control's place in the layout: left, top, width and height in twips inside its container,
// 15 to a pixel at 96 dpi.
struct LayoutPlace {
    const char *name;
    const char *container;
    int left, top, width, height;
    QRect pixels() const;
};
// Every placed control as the layout gives it: the window and its test read this one table.
std::span<const LayoutPlace> layoutPlaces();

// The controls the window's aids work on, handed over typed rather than looked up by name.
struct AidedControls {
    QGroupBox *playingArea; // Frame1
    QLabel *word;           // lblMondai
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

private:
    void buildTitleRow();
    void buildPlayingArea();
    void buildPanels(QWidget *area);
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

    // Adapters, built once the widgets exist.
    struct Adapters;
    std::unique_ptr<Adapters> adapters_;
    std::unique_ptr<game::Game> game_;
};

} // namespace ui
