#pragma once

#include "game/Board.h"
#include "game/Score.h"

class RandomSource;

// What one tick did, for the window to show.
struct TickResult {
    int endings = 0;  // times the end-of-game steps ran (0, 1 or more)
    bool ended() const { return endings > 0; }
};

// The game's rules. `score` and `hitCount` live for the whole run; the board
// belongs to the main window and starts afresh from its designer state at
// every load.
class Game {
public:
    void formLoad();
    void start();
    TickResult tick(RandomSource& random);
    void shoot(int lane);
    void resetHitCount() { hitCount_ = 0; }

    const Score& score() const { return score_; }
    int hitCount() const { return hitCount_; }
    const Board& board() const { return board_; }

    // For tests and tools that need a game in a given state.
    Board& boardForTesting() { return board_; }
    void setHitCountForTesting(int hits) { hitCount_ = hits; }

private:
    bool applyLevelTable(TickResult& result);
    void endGame(TickResult& result);
    void moveTargets(RandomSource& random, TickResult& result);

    Score score_;
    int hitCount_ = 0;
    Board board_;
};
