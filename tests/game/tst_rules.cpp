// The rules without any window: level table, floor, hits, Start and load.
// Each row of the level table, as the window shows it, is in tst_bimzo_window.
#include "game/Game.h"
#include "game/RandomSource.h"
#include "tests/support/ScriptedRandom.h"

#include <QTest>


namespace {
QString qs(const std::string& s) { return QString::fromStdString(s); }

// A running game with the given hit count and every target at the top.
Game runningGame(int hits)
{
    Game game;
    game.formLoad();
    game.start();
    game.setHitCountForTesting(hits);
    return game;
}
} // namespace

class RulesTest : public QObject {
    Q_OBJECT
private slots:
    // Level table
    void hitLimitEndsTheGameWithoutPointsOrMoves();

    // The floor
    void onlyATargetPastTheFloorEndsTheGame_data();
    void onlyATargetPastTheFloorEndsTheGame();
    void twoTargetsPastTheFloorEndTwiceAndMoveLaterLanes();

    // Shooting
    void hitPointsGrowWithTheFall();
    void remainingHitsCountDownPastZero();
    void clickWhileIdleOnlySpendsTheShooter();

    // Start and load
    void startInMidGameResetsOnlyTheGame();
    void loadRestoresTheDesignerBoardButKeepsHitCount();

    // Random source
    void defaultRandomRepeatsAndDrawsEveryFallEvenly();
};

// Past the limit as well: hits between two ticks still count.
void RulesTest::hitLimitEndsTheGameWithoutPointsOrMoves()
{
    Game game = runningGame(502);
    game.boardForTesting().targetTop[2] = 1080;
    game.boardForTesting().lineColour[3] = LineColour::Red;
    game.boardForTesting().shooterArmed[1] = false;
    ScriptedRandom random;
    const TickResult result = game.tick(random);

    QCOMPARE(result.endings, 1);
    QCOMPARE(game.board().interval, 0);
    QVERIFY(!game.board().enabled);
    QCOMPARE(qs(game.board().levelCaption), QStringLiteral("打ち止め"));
    QCOMPARE(game.score().value(), 0.0f);
    QCOMPARE(qs(game.board().scoreText), QStringLiteral("0"));
    QCOMPARE(game.board().targetTop[2], 1080.0f);
    QCOMPARE(game.board().lineColour[3], LineColour::Red);  // the lines are not touched
    QVERIFY(game.board().shooterArmed[1]);                 // but the shooters are re-armed
    QCOMPARE(random.draws(), 0);
}

void RulesTest::onlyATargetPastTheFloorEndsTheGame_data()
{
    QTest::addColumn<int>("fall");
    QTest::addColumn<float>("top");
    QTest::addColumn<bool>("ends");
    QTest::newRow("exactly on the floor") << 1 << 5520.0f << false;
    QTest::newRow("below the floor") << 2 << 5580.0f << true;
}

void RulesTest::onlyATargetPastTheFloorEndsTheGame()
{
    QFETCH(int, fall);
    QFETCH(bool, ends);
    Game game = runningGame(0);
    game.boardForTesting().targetTop[0] = 5460;
    ScriptedRandom random;
    random.pushFalls({fall});
    const TickResult result = game.tick(random);
    QTEST(game.board().targetTop[0], "top");
    QCOMPARE(result.endings, ends ? 1 : 0);
    QCOMPARE(game.board().interval, ends ? 0 : 500);
    QCOMPARE(game.board().enabled, !ends);
    // The ending tick still scores its 5 points first.
    QCOMPARE(qs(game.board().scoreText), QStringLiteral("5"));
}

void RulesTest::twoTargetsPastTheFloorEndTwiceAndMoveLaterLanes()
{
    Game game = runningGame(0);
    game.boardForTesting().targetTop[1] = 5520;
    game.boardForTesting().targetTop[3] = 5520;
    game.boardForTesting().lineColour[4] = LineColour::Red;
    ScriptedRandom random;
    random.pushFalls({3, 1, 4, 1, 6});
    const TickResult result = game.tick(random);
    QCOMPARE(result.endings, 2);
    QCOMPARE(random.draws(), 5);
    QCOMPARE(game.board().targetTop[0], 480.0f + 180);
    QCOMPARE(game.board().targetTop[2], 480.0f + 240);
    QCOMPARE(game.board().targetTop[4], 480.0f + 360);
    QCOMPARE(game.board().lineColour[4], LineColour::Black);
}

// At the floor and one unit down, through the windows: 460 and 45 points.
void RulesTest::hitPointsGrowWithTheFall()
{
    Game game = runningGame(0);
    game.boardForTesting().targetTop[2] = 1080;
    game.shoot(2);
    QCOMPARE(game.score().value(), 90.0f);
    QCOMPARE(game.board().targetTop[2], 480.0f);
    QCOMPARE(game.board().lineColour[2], LineColour::Red);
    QVERIFY(!game.board().shooterArmed[2]);
    QCOMPARE(game.hitCount(), 1);
}

void RulesTest::remainingHitsCountDownPastZero()
{
    Game game = runningGame(0);
    game.shoot(0);
    QCOMPARE(qs(game.board().remainingText), QStringLiteral("499"));
    game.setHitCountForTesting(499);
    game.shoot(0);
    QCOMPARE(qs(game.board().remainingText), QStringLiteral("0"));
    for (int lane = 1; lane < rules::kLanes; ++lane)
        game.shoot(lane);  // hits before the next tick still count
    QCOMPARE(game.hitCount(), 504);
    QCOMPARE(qs(game.board().remainingText), QStringLiteral("-4"));
    ScriptedRandom random;
    QCOMPARE(game.tick(random).endings, 1);
}

void RulesTest::clickWhileIdleOnlySpendsTheShooter()
{
    Game game;
    game.formLoad();
    const Board before = game.board();
    game.shoot(3);
    QVERIFY(!game.board().shooterArmed[3]);
    QCOMPARE(game.board().targetTop, before.targetTop);
    QCOMPARE(game.board().lineColour, before.lineColour);
    QCOMPARE(game.board().remainingText, before.remainingText);
    QCOMPARE(game.hitCount(), 0);
    QCOMPARE(game.score().value(), 0.0f);
}

void RulesTest::startInMidGameResetsOnlyTheGame()
{
    Game game = runningGame(130);
    ScriptedRandom random;
    game.tick(random);  // level 5
    game.boardForTesting().targetTop[0] = 3000;
    game.shoot(0);
    QCOMPARE(qs(game.board().levelCaption), QStringLiteral("LEVEL　５"));

    game.start();
    QCOMPARE(game.board().interval, 500);
    QCOMPARE(game.hitCount(), 0);
    QCOMPARE(game.score().value(), 0.0f);
    for (float top : game.board().targetTop)
        QCOMPARE(top, 480.0f);
    // Left for the next tick and the next hit to change.
    QCOMPARE(qs(game.board().levelCaption), QStringLiteral("LEVEL　５"));
    QCOMPARE(qs(game.board().remainingText), QStringLiteral("369"));
    QVERIFY(!game.board().shooterArmed[0]);
    QCOMPARE(game.board().lineColour[0], LineColour::Red);

    game.tick(random);
    QCOMPARE(qs(game.board().scoreText), QStringLiteral("5"));
    QCOMPARE(qs(game.board().levelCaption), QStringLiteral("LEVEL　５"));
}

void RulesTest::loadRestoresTheDesignerBoardButKeepsHitCount()
{
    Game game = runningGame(42);
    ScriptedRandom random;
    game.tick(random);
    game.shoot(0);
    game.formLoad();  // the board it restores is the play-again test's
    QCOMPARE(game.score().value(), 0.0f);
    QCOMPARE(game.hitCount(), 43);  // only play-again resets it
}

void RulesTest::defaultRandomRepeatsAndDrawsEveryFallEvenly()
{
    DefaultRandom random;
    DefaultRandom again;  // every run of the game draws the same falls
    std::array<int, 10> counts{};
    constexpr int kDraws = 100000;
    for (int i = 0; i < kDraws; ++i) {
        const float u = random.nextUniform();
        QVERIFY(u >= 0.0f && u < 1.0f);
        QCOMPARE(again.nextUniform(), u);
        ++counts[static_cast<int>(u * 10.0f)];
    }
    double chiSquare = 0;
    for (int c : counts) {
        const double d = c - kDraws / 10.0;
        chiSquare += d * d / (kDraws / 10.0);
    }
    QVERIFY2(chiSquare < 27.9, qPrintable(QString::number(chiSquare)));  // p = 0.001, 9 dof
}

QTEST_APPLESS_MAIN(RulesTest)
#include "tst_rules.moc"
