#pragma once

#include "game/Board.h"
#include "ui/Form.h"

#include <array>

class Game;
class GameTimer;
class Image;
class Label;
class Line;
class QAction;
class RandomSource;

// The main window: the five lanes, the score, level and remaining-hits
// displays, and the File and Help menus. It forwards every event to the
// rules and shows the board they leave.
//
// The controls keep their designer names; arrays run over lanes 0 to 4:
//   tg      the falling targets          sb      the shooters, clicked to hit
//   sbr     the red shooters under sb    Line1   the lane lines
//   Line2   the bottom line of the field ten     the score (0 shadow, 1 white)
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

private:
    void buildControls();
    void buildMenus();
    void showBoard();

    Game& game_;
    RandomSource& random_;
    GameTimer* Timer1;
    std::array<Label*, 2> ten{};
    Label* Label1 = nullptr;
    Label* Label2 = nullptr;
    Label* Label3 = nullptr;
    Label* lv = nullptr;
    Line* Line2 = nullptr;
    PerLane<Line*> Line1{};
    PerLane<Image*> tg{};
    PerLane<Image*> sb{};
    PerLane<Image*> sbr{};
    QAction* stm = nullptr;
};
