#pragma once

#include "ui/FormSlot.h"
#include "scores/GMEND.h"
#include "game/Game.h"
#include "scores/HI_S.h"
#include "game/RandomSource.h"
#include "scores/ScoreLocation.h"
#include "game/bimzo.h"
#include "scores/ScoreTable.h"

#include <QObject>
#include <QPointer>
#include <QScreen>

#include <functional>

// Owns the program-wide state (the game, the high-score table) and the three
// windows, and wires their seams together; no window knows another.
class GameApp : public QObject {
    Q_OBJECT
public:
    // Shows a message; owner is the window the message box belongs to.
    using ErrorReporter = std::function<void(QWidget* owner, const QString& message)>;

    // `where`: the score file for the whole run, settled when the program starts.
    GameApp(RandomSource& random, ScoreFileLocation where, ErrorReporter reportError);

    void start();

    Game& game() { return game_; }
    ScoreTable& scoreTable() { return table_; }
    FormSlot<bimzo>& mainWindow() { return main_; }
    FormSlot<GMEND>& gameOverDialog() { return gameOver_; }
    FormSlot<HI_S>& highScoreDialog() { return highScores_; }

signals:
    // The program is to end now.
    void quitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bimzo* makeMainWindow();
    GMEND* makeGameOverDialog();
    HI_S* makeHighScoreDialog();
    void playAgain();
    void endProgram();
    void endWhenNoWindowIsLeft();
    void releaseDialogs();
    void reportLater(const QString& message);
    QWidget* keyboardOwner() const;
    void bringDialogsBack();

    Game game_;
    ScoreTable table_;
    RandomSource& random_;
    const ScoreFileLocation where_;
    ErrorReporter reportError_;
    FormSlot<bimzo> main_;
    FormSlot<GMEND> gameOver_;
    FormSlot<HI_S> highScores_;
    QPointer<QScreen> playedOn_;  // where a fresh main window opens after play again
};
