#pragma once

#include "FormSlot.h"
#include "Game.h"
#include "RandomSource.h"
#include "bimzo.h"

#include <QObject>

// Owns the program-wide state and the windows, and wires the windows'
// seams together; no window knows another.
class GameApp : public QObject {
    Q_OBJECT
public:
    explicit GameApp(RandomSource& random);

    void start();
    Game& game() { return game_; }
    FormSlot<bimzo>& mainWindow() { return main_; }

private:
    void onGameOver();
    void onHighScoresRequested();
    void endProgram();

    Game game_;
    RandomSource& random_;
    FormSlot<bimzo> main_;
};
