// Many games in a row through the real windows: every play-again unloads and
// reloads the main window, the game-over dialog and the high-score dialog.
// Nothing may pile up. In the sanitizer build LeakSanitizer also checks the
// whole run at exit.
#include "tests/support/Child.h"
#include "tests/support/GameDriver.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

class PlayAgainCyclesTest : public QObject {
    Q_OBJECT
private slots:
    void manyPlayAgainCyclesLeaveNoWindowBehind();

private:
    void oneCycle(GameDriver& game);
};

// Start, a hit, the floor, a name, the high scores, OK, play again.
void PlayAgainCyclesTest::oneCycle(GameDriver& game)
{
    QFile::remove(game.scoreFilePath());  // an empty table, so every game asks for a name
    bimzo* main = game.mainWindow();
    QVERIFY(main);
    game.playAndEnd(true);

    GMEND* over = game.gameOver();
    QVERIFY(over && over->inNameEntry());
    game.enterName(QStringLiteral("Cycle"));
    HI_S* scores = game.highScores();
    QVERIFY(scores && scores->isVisible());
    scores->Command1_Click();
    QTest::mouseClick(child<QPushButton>(over, QStringLiteral("Command2")), Qt::LeftButton);
    GameDriver::flushDeletes();
    QVERIFY(game.mainWindow() && game.mainWindow() != main);
    QVERIFY(!game.gameOver());
    QVERIFY(!game.highScores());
}

void PlayAgainCyclesTest::manyPlayAgainCyclesLeaveNoWindowBehind()
{
    GameDriver game;
    QVERIFY(game.start());

    // The first cycle loads whatever Qt caches once (fonts, styles, pictures).
    oneCycle(game);
    if (QTest::currentTestFailed())
        return;
    const qsizetype widgets = QApplication::allWidgets().size();
    const qsizetype windows = QApplication::topLevelWidgets().size();
    for (int cycle = 1; cycle < 200; ++cycle) {
        oneCycle(game);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("cycle %1").arg(cycle)));
    }
    QCOMPARE(QApplication::allWidgets().size(), widgets);
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    QVERIFY2(game.errors.isEmpty(), qPrintable(game.errors.join('\n')));
    QCOMPARE(game.storedTable().entries[0].name.text(), QStringLiteral("Cycle"));
}

QTEST_MAIN(PlayAgainCyclesTest)
#include "tst_play_again_cycles.moc"
