#pragma once

#include "game/Board.h"
#include "ui/Form.h"

#include <array>

class Caption;
class Game;
class GameTimer;
class PlayField;
class QAction;
class RandomSource;

// The main window: the five lanes, the score, level and remaining-hits
// displays, and the File and Help menus. It forwards every event to the
// rules and shows the board they leave.
//
// The controls keep their designer names; the play field holds the lanes
// (tg, sb, sbr, Line1, Line2), and the captions lie in front of it:
//   ten     the score (0 shadow, 1 white)
//   lv      the level caption            Label1  hits remaining
//   Label2  "得点", a click starts       Label3  "残枚数", the caption of Label1
//   Timer1  the game tick                Picture1 the background tile (in Form)
//   menus:  mfile (File): stm Start, him HI-SCORE, mend End;
//           mhelp (Help): mab About
class bimzo : public Form {
    Q_OBJECT
public:
    bimzo(Game& game, RandomSource& random, QWidget* parent = nullptr);

    static QString aboutText();

public slots:
    void Form_Load() override;
    void stm_Click();
    void Label2_Click();
    void Timer1_Timer();
    void sb_Click(int index);
    void him_Click();
    void mend_Click();
    void mab_Click();

signals:
    // The seams to the other windows, wired by the application.
    void gameOver();
    void highScoresRequested();
    void endRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void showBoard();

    Game& game_;
    RandomSource& random_;
    GameTimer* Timer1;
    PlayField* field_ = nullptr;
    std::array<Caption*, 2> ten{};
    Caption* Label1 = nullptr;
    Caption* Label2 = nullptr;
    Caption* Label3 = nullptr;
    Caption* lv = nullptr;
    QAction* stm = nullptr;
};
