#include "game/Game.h"

#include "game/LevelTable.h"
#include "game/RandomSource.h"

#include <algorithm>
#include <string>

void Game::formLoad()
{
    board_ = Board{};  // targets at the top, timer stopped
    score_.reset();
}

void Game::start()
{
    score_.reset();
    hitCount_ = 0;
    board_.targetTop.fill(rules::kTopOfLane);
    board_.interval = rules::kStartInterval;
}

TickResult Game::tick(RandomSource& random)
{
    TickResult result;
    board_.shooterArmed.fill(true);
    if (!applyLevelTable(result))
        return result;  // the hit limit ended the game: no points, no move
    score_.addTickPoints(rules::kTickPoints);
    board_.scoreText = score_.text();
    moveTargets(random, result);
    return result;
}

// Returns false when the game ended by the hit limit.
bool Game::applyLevelTable(TickResult& result)
{
    for (const LevelRow& row : levelTable()) {
        if (!row.appliesTo(hitCount_))
            continue;
        board_.levelCaption = row.caption;
        if (row.interval == 0) {
            endGame(result);
            return false;
        }
        board_.interval = row.interval;
    }
    return board_.interval != 0;
}

void Game::moveTargets(RandomSource& random, TickResult& result)
{
    for (int lane = 0; lane < rules::kLanes; ++lane) {
        board_.lineColour[lane] = LineColour::Black;
        const float draw = random.nextUniform() * rules::kFallScale + rules::kShortestFall;
        // Clamp guards a source that strays outside [0, 1).
        const int r = std::clamp(static_cast<int>(draw), int(rules::kShortestFall), int(rules::kFallScale));
        float& top = board_.targetTop[lane];
        top = static_cast<float>(static_cast<double>(top) + rules::kFallUnit * r);
        if (top > rules::kFloor)
            endGame(result);
    }
}

void Game::endGame(TickResult& result)
{
    board_.interval = 0;
    board_.enabled = false;
    ++result.endings;
}

void Game::shoot(int lane)
{
    if (lane < 0 || lane >= rules::kLanes)
        return;
    board_.shooterArmed[lane] = false;
    if (!board_.running())
        return;
    float& top = board_.targetTop[lane];
    score_.addHitPoints(top / rules::kHitDivisor * rules::kHitMultiplier);
    top = rules::kTopOfLane;
    ++hitCount_;
    board_.remainingText = std::to_string(rules::kHitsPerGame - hitCount_);
    board_.lineColour[lane] = LineColour::Red;
}
