#include "GameApp.h"

#include <QApplication>

GameApp::GameApp(RandomSource& random)
    : random_(random), main_([this] {
          auto* window = new bimzo(game_, random_);
          connect(window, &bimzo::gameOver, this, &GameApp::onGameOver);
          connect(window, &bimzo::highScoresRequested, this, &GameApp::onHighScoresRequested);
          connect(window, &bimzo::endRequested, this, &GameApp::endProgram);
          return window;
      })
{
}

void GameApp::start()
{
    main_.show();
}

void GameApp::onGameOver()
{
    // The game-over dialog takes over from here.
}

void GameApp::onHighScoresRequested()
{
    // The high-score dialog opens from here.
}

void GameApp::endProgram()
{
    main_.unload();
    QApplication::quit();
}
