#pragma once

#include "ui/Form.h"
#include "ui/PictureBox.h"

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
class bimzo : public Form {
    Q_OBJECT
public:
    bimzo(Game& game, RandomSource& random, QWidget* parent = nullptr);

    static QString aboutText();

public slots:
    void Form_Load();
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
    PictureBox Picture1;
    GameTimer* Timer1;
    std::array<Label*, 2> ten{};
    Label* Label1 = nullptr;
    Label* Label2 = nullptr;
    Label* Label3 = nullptr;
    Label* lv = nullptr;
    Line* Line2 = nullptr;
    std::array<Line*, 5> Line1{};
    std::array<Image*, 5> tg{};
    std::array<Image*, 5> sb{};
    std::array<Image*, 5> sbr{};
    QAction* stm = nullptr;
};
