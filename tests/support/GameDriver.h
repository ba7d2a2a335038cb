#pragma once

#include "app/GameApp.h"
#include "scores/ScoreFile.h"
#include "tests/support/Child.h"
#include "tests/support/ScriptedRandom.h"
#include "ui/TextBox.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The three windows as the program wires them, with the score file in a
// temporary folder of their own, the falls scripted and file errors kept.
class GameDriver {
public:
    GameDriver()
        : app_(std::make_unique<GameApp>(
              random, ScoreFileLocation(scoreFilePath()),
              [this](QWidget*, const QString& message) { errors << message; }))
    {
    }
    ~GameDriver()
    {
        app_.reset();
        flushDeletes();
    }

    // Deletes the windows already closed, as the event loop would.
    static void flushDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    // Shows the main window; false if the folder or the window is missing.
    [[nodiscard]] bool start()
    {
        app_->start();
        return dir_.isValid() && QTest::qWaitForWindowExposed(mainWindow());
    }

    GameApp& app() { return *app_; }
    Game& game() { return app_->game(); }
    bimzo* mainWindow() { return app_->mainWindow().get(); }
    GMEND* gameOver() { return app_->gameOverDialog().get(); }
    HI_S* highScores() { return app_->highScoreDialog().get(); }
    QString scoreFilePath() const { return dir_.filePath(QStringLiteral("BIMZO.DAT")); }
    TextBox* nameBox() { return child<TextBox>(gameOver(), QStringLiteral("PNAME")); }

    // Types into the name box a character at a time, as a keyboard does.
    void typeName(const QString& text)
    {
        for (const char32_t c : text.toUcs4())
            QTest::sendKeyEvent(QTest::Click, nameBox(), Qt::Key_unknown, QString::fromUcs4(&c, 1), Qt::NoModifier);
    }

    // Types a name into the game-over dialog and records it with Enter.
    void enterName(const QString& name = {})
    {
        typeName(name);
        QTest::keyClick(nameBox(), Qt::Key_Return);
    }

    // Stores a table of these scores, the first place under `firstName`.
    void storeScores(qint32 first, qint32 second, qint32 third, const QString& firstName = {})
    {
        ScoreTable table;
        table.entries = {{{first, ScoreName::fromText(firstName), 0}, {second, {}, 0}, {third, {}, 0}}};
        [&] { QVERIFY(SaveScoreTable(table, scoreFilePath()).ok()); }();
    }

    // The table in the score file; the calling test fails if it does not load.
    ScoreTable storedTable() const
    {
        ScoreTable table;
        [&] { QVERIFY(LoadScoreTable(table, scoreFilePath()).ok()); }();
        return table;
    }

    // Starts a game, first hits a target at the floor if asked (460 points),
    // and ends the game by the floor at the next tick.
    void playAndEnd(bool hitAtTheFloor = false)
    {
        mainWindow()->stm_Click();
        if (hitAtTheFloor) {
            game().boardForTesting().targetTop[1] = 5520;
            mainWindow()->sb_Click(1);
        }
        game().boardForTesting().targetTop[0] = 5520;
        mainWindow()->Timer1_Timer();
    }

    ScriptedRandom random;
    QStringList errors;

private:
    QTemporaryDir dir_;
    std::unique_ptr<GameApp> app_;
};
