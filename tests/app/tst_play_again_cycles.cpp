// Many games in a row through the real windows: every play-again unloads and
// reloads the main window, the game-over dialog and the high-score dialog.
// Nothing may pile up. In the sanitizer build LeakSanitizer also checks the
// whole run at exit.
#include "app/GameApp.h"
#include "tests/game/ScriptedRandom.h"
#include "ui/TextBox.h"
#include "scores/ScoreFile.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class PlayAgainCyclesTest : public QObject {
    Q_OBJECT
private slots:
    void manyPlayAgainCyclesLeaveNoWindowBehind();

private:
    void oneCycle(GameApp& app, const QString& path);
};

namespace {

void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

// Start, a hit, the floor, a name, the high scores, OK, play again.
void PlayAgainCyclesTest::oneCycle(GameApp& app, const QString& path)
{
    QFile::remove(path);  // an empty table, so every game asks for a name
    bimzo* main = app.mainWindow().get();
    QVERIFY(main);
    main->stm_Click();
    app.game().boardForTesting().targetTop[1] = 5520;
    main->sb_Click(1);
    app.game().boardForTesting().targetTop[0] = 5520;
    main->Timer1_Timer();

    GMEND* over = app.gameOverDialog().get();
    QVERIFY(over && over->inNameEntry());
    auto* name = over->findChild<TextBox*>(QStringLiteral("PNAME"));
    QTest::keyClicks(name, QStringLiteral("Cycle"));
    QTest::keyClick(name, Qt::Key_Return);
    HI_S* scores = app.highScoreDialog().get();
    QVERIFY(scores && scores->isVisible());
    scores->Command1_Click();
    QTest::mouseClick(over->findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
    FlushDeletes();
    QVERIFY(app.mainWindow().get() && app.mainWindow().get() != main);
    QVERIFY(!app.gameOverDialog().get());
    QVERIFY(!app.highScoreDialog().get());
}

void PlayAgainCyclesTest::manyPlayAgainCyclesLeaveNoWindowBehind()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("BIMZO.DAT"));
    ScriptedRandom random;
    QStringList errors;
    GameApp app(random, [&] { return ScoreFileLocation(path); },
                [&](QWidget*, const QString& message) { errors << message; });
    app.start();
    QVERIFY(QTest::qWaitForWindowExposed(app.mainWindow().get()));

    // The first cycle loads whatever Qt caches once (fonts, styles, pictures).
    oneCycle(app, path);
    if (QTest::currentTestFailed())
        return;
    const qsizetype widgets = QApplication::allWidgets().size();
    const qsizetype windows = QApplication::topLevelWidgets().size();
    for (int cycle = 1; cycle < 200; ++cycle) {
        oneCycle(app, path);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("cycle %1").arg(cycle)));
    }
    QCOMPARE(QApplication::allWidgets().size(), widgets);
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    ScoreTable table;
    QVERIFY(LoadScoreTable(table, path).ok());
    QCOMPARE(table.entries[0].name.text(), QStringLiteral("Cycle"));
}

QTEST_MAIN(PlayAgainCyclesTest)
#include "tst_play_again_cycles.moc"
