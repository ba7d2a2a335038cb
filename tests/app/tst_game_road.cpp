// One game from its start to the dialogs that end it, through the real windows.
#include "app/GameApp.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "tests/game/ScriptedRandom.h"
#include "ui/TextBox.h"
#include "scores/ScoreFile.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

class GameRoadTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // Game over and name entry
    void firstGameWithoutAFileAsksForAName();
    void scoreEqualToThirdPlaceGetsTheButtons();
    void enterAtOnceRecordsUnderTheOldFirstName();
    void twoTargetsPastTheFloorOpenOneDialog();

    // The name box
    void nameBoxTakesAtMostTwelveCharacters();
    void longerStoredFirstNameIsShownAndKeptWhole();
    void typingOnlyShortensALongerStoredName();
    void nameBoxRefusesWhatTheFileCannotStore();
    void nameBoxStoresLookAlikesInTheFilesForm();
    void japaneseNameIsSavedInTheFile();

    // Leaving the dialog
    void playAgainGivesAnIdleWindow();
    void closeBoxAndEscapePlayAgainOnlyWithTheButtons();
    void quitEndsTheProgramWithHighScoresOpen();
    void fileEndUnloadsEverything();

    // The high-score dialog
    void highScoresOpenOnceAndShowTheFile();
    void highScoresLeftOpenKeepTheOldTable();

    // Faults
    void unwritableFileShowsAnErrorAndTheGameGoesOn();
    void gameOverWhileAboutIsOpenLeavesAUsableDialog();

private:
    bimzo* mainWindow() { return app_->mainWindow().get(); }
    GMEND* gameOver() { return app_->gameOverDialog().get(); }
    HI_S* highScores() { return app_->highScoreDialog().get(); }
    QString path() const { return dir_->filePath(QStringLiteral("BIMZO.DAT")); }
    void writeTable(const ScoreTable& table);
    // A file whose only entry is a first place of 1000 points under `name`.
    void storeFirstPlace(const QString& name);
    ScoreTable readTable();
    // Starts a game, scores `hitPoints` with a hit on a target at the floor
    // if asked, and ends it by the floor at the next tick.
    void playAndEnd(bool hitAtTheFloor = false);
    void typeName(const QString& text);
    void pressEnter();

    std::unique_ptr<QTemporaryDir> dir_;
    ScriptedRandom random_;
    std::unique_ptr<GameApp> app_;
    QStringList errors_;
};

void GameRoadTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    errors_.clear();
    app_ = std::make_unique<GameApp>(
        random_, [this] { return ScoreFileLocation(path()); },
        [this](QWidget*, const QString& message) { errors_ << message; });
    app_->start();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow()));
}

void GameRoadTest::cleanup()
{
    app_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void GameRoadTest::writeTable(const ScoreTable& table)
{
    QVERIFY(SaveScoreTable(table, path()).ok());
}

void GameRoadTest::storeFirstPlace(const QString& name)
{
    ScoreTable table;
    table.entries[0].score = 1000;
    table.entries[0].name = ScoreName::fromText(name);
    writeTable(table);
}

ScoreTable GameRoadTest::readTable()
{
    ScoreTable table;
    [&] { QVERIFY(LoadScoreTable(table, path()).ok()); }();
    return table;
}

void GameRoadTest::playAndEnd(bool hitAtTheFloor)
{
    Game& game = app_->game();
    mainWindow()->stm_Click();
    if (hitAtTheFloor) {
        game.boardForTesting().targetTop[1] = 5520;
        mainWindow()->sb_Click(1);  // 460 points
    }
    game.boardForTesting().targetTop[0] = 5520;
    mainWindow()->Timer1_Timer();
}

void GameRoadTest::typeName(const QString& text)
{
    TextBox* box = gameOver()->findChild<TextBox*>(QStringLiteral("PNAME"));
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void GameRoadTest::pressEnter()
{
    QTest::keyClick(gameOver()->findChild<TextBox*>(QStringLiteral("PNAME")), Qt::Key_Return);
}

void GameRoadTest::firstGameWithoutAFileAsksForAName()
{
    playAndEnd();
    QVERIFY(gameOver());
    QVERIFY(gameOver()->isVisible());
    QVERIFY(!mainWindow()->isEnabled());
    QVERIFY(gameOver()->inNameEntry());
    TextBox* box = gameOver()->findChild<TextBox*>(QStringLiteral("PNAME"));
    QVERIFY(box->text().isEmpty());
    QCOMPARE(gameOver()->findChild<Label*>(QStringLiteral("Label3"))->text(), QStringLiteral("HI-Score"));
    QCOMPARE(gameOver()->findChild<Label*>(QStringLiteral("Label2"))->text(), QStringLiteral("5"));
    QVERIFY(QFile::exists(path()));
    QVERIFY(!gameOver()->findChild<QPushButton*>(QStringLiteral("Command1"))->isVisible());
    QCOMPARE(gameOver()->focusWidget(), box);
}

void GameRoadTest::scoreEqualToThirdPlaceGetsTheButtons()
{
    ScoreTable table;
    table.entries[0].score = 20;
    table.entries[1].score = 10;
    table.entries[2].score = 5;
    writeTable(table);
    playAndEnd();
    QVERIFY(!gameOver()->inNameEntry());
    auto* quit = gameOver()->findChild<QPushButton*>(QStringLiteral("Command1"));
    QVERIFY(quit->isVisible());
    QCOMPARE(gameOver()->focusWidget(), quit);  // the first in tab order
}

void GameRoadTest::enterAtOnceRecordsUnderTheOldFirstName()
{
    storeFirstPlace(QStringLiteral("はなこ"));
    playAndEnd(true);

    TextBox* box = gameOver()->findChild<TextBox*>(QStringLiteral("PNAME"));
    QCOMPARE(box->text(), QStringLiteral("はなこ"));
    QCOMPARE(box->selectedText(), QStringLiteral("はなこ"));
    pressEnter();

    const ScoreTable saved = readTable();
    QCOMPARE(saved.entries[1].score, 465);
    QCOMPARE(saved.entries[1].hits, 1);
    QCOMPARE(saved.entries[1].name.text(), QStringLiteral("はなこ"));
    QCOMPARE(saved.tag, 121);
    QCOMPARE(saved.check, 5000);
    QVERIFY(!gameOver()->inNameEntry());
    QCOMPARE(gameOver()->findChild<Label*>(QStringLiteral("Label3"))->text(), QStringLiteral("Score"));
    QCOMPARE(gameOver()->findChild<Label*>(QStringLiteral("Label2"))->text(), QStringLiteral("465"));
    QVERIFY(highScores() && highScores()->isVisible());
    QCOMPARE(highScores()->findChild<Label*>(QStringLiteral("Label4"))->text(), QStringLiteral("465"));
}

void GameRoadTest::twoTargetsPastTheFloorOpenOneDialog()
{
    mainWindow()->stm_Click();
    app_->game().boardForTesting().targetTop[0] = 5520;
    app_->game().boardForTesting().targetTop[3] = 5520;
    mainWindow()->Timer1_Timer();
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(), [](QWidget* w) { return w->objectName() == "GMEND"; }),
             1);
}

void GameRoadTest::nameBoxTakesAtMostTwelveCharacters()
{
    playAndEnd();
    typeName(QStringLiteral("あいうえおかきくけこさしすせそ"));
    QCOMPARE(gameOver()->findChild<TextBox*>(QStringLiteral("PNAME"))->text(), QStringLiteral("あいうえおかきくけこさし"));
}

void GameRoadTest::longerStoredFirstNameIsShownAndKeptWhole()
{
    const QString fifteen = QStringLiteral("ABCDEFGHIJKLMNO");
    storeFirstPlace(fifteen);
    playAndEnd(true);

    TextBox* box = gameOver()->findChild<TextBox*>(QStringLiteral("PNAME"));
    QCOMPARE(box->text(), fifteen);
    QCOMPARE(box->selectedText(), fifteen);
    pressEnter();
    QCOMPARE(readTable().entries[1].name.text(), fifteen);
}

void GameRoadTest::typingOnlyShortensALongerStoredName()
{
    storeFirstPlace(QStringLiteral("ABCDEFGHIJKLMNO"));
    playAndEnd(true);

    TextBox* box = gameOver()->findChild<TextBox*>(QStringLiteral("PNAME"));
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Delete);
    typeName(QStringLiteral("xy"));
    QCOMPARE(box->text(), QStringLiteral("BCDEFGHIJKLMNO"));
    QCOMPARE(box->cursorPosition(), 0);
    box->selectAll();
    typeName(QStringLiteral("あいうえおかきくけこさしすせそ"));
    QCOMPARE(box->text(), QStringLiteral("あいうえおかきくけこさし"));
}

void GameRoadTest::nameBoxRefusesWhatTheFileCannotStore()
{
    playAndEnd();
    TextBox* box = gameOver()->findChild<TextBox*>(QStringLiteral("PNAME"));
    typeName(QStringLiteral("A"));
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QStringLiteral("😀"), Qt::NoModifier);
    typeName(QStringLiteral("é한B"));
    QCOMPARE(box->text(), QStringLiteral("AB"));
    box->selectAll();
    box->insert(QStringLiteral("x😀y"));  // a paste with one bad character is refused whole
    QCOMPARE(box->text(), QStringLiteral("AB"));
}

void GameRoadTest::nameBoxStoresLookAlikesInTheFilesForm()
{
    playAndEnd();
    typeName(QStringLiteral("a\u301Cb\u2212"));
    QCOMPARE(gameOver()->findChild<TextBox*>(QStringLiteral("PNAME"))->text(), QStringLiteral("a\uFF5Eb\uFF0D"));
}

void GameRoadTest::japaneseNameIsSavedInTheFile()
{
    playAndEnd();
    typeName(QStringLiteral("山田ﾀﾛｳ"));
    pressEnter();
    QFile file(path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), 38 + 7);
    QCOMPARE(bytes.mid(4, 2 + 7), QByteArray::fromHex("07008E52 9363C0DB B3"));
}

void GameRoadTest::playAgainGivesAnIdleWindow()
{
    playAndEnd();
    pressEnter();
    bimzo* old = mainWindow();
    QTest::mouseClick(gameOver()->findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
    QVERIFY(!gameOver());
    QVERIFY(mainWindow() && mainWindow() != old);
    QVERIFY(mainWindow()->isVisible() && mainWindow()->isEnabled());
    QCOMPARE(mainWindow()->findChild<Label*>(QStringLiteral("ten_1"))->text(), QStringLiteral("0"));
    QCOMPARE(mainWindow()->findChild<Label*>(QStringLiteral("Label1"))->text(), QStringLiteral("500"));
    QCOMPARE(mainWindow()->findChild<Label*>(QStringLiteral("lv"))->text(), QStringLiteral("LEVEL　１"));
    QCOMPARE(app_->game().hitCount(), 0);
    QCOMPARE(app_->game().board().interval, 0);
    QCOMPARE(mainWindow()->findChild<Image*>(QStringLiteral("tg_0"))->y(), 32);
}

void GameRoadTest::closeBoxAndEscapePlayAgainOnlyWithTheButtons()
{
    playAndEnd();
    GMEND* dialog = gameOver();
    dialog->close();
    QTest::keyClick(dialog, Qt::Key_Escape);
    QCOMPARE(gameOver(), dialog);  // name entry: nothing happens
    QVERIFY(dialog->isVisible());

    pressEnter();
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!gameOver());
    QVERIFY(mainWindow()->isEnabled());

    ScoreTable full;
    full.entries[0].score = full.entries[1].score = full.entries[2].score = 1000;
    writeTable(full);
    playAndEnd();
    QVERIFY(!gameOver()->inNameEntry());
    gameOver()->close();
    QVERIFY(!gameOver());
    QVERIFY(mainWindow()->isEnabled());
}

void GameRoadTest::quitEndsTheProgramWithHighScoresOpen()
{
    QSignalSpy quit(app_.get(), &GameApp::quitRequested);
    mainWindow()->him_Click();
    playAndEnd();
    pressEnter();
    QTest::mouseClick(gameOver()->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(quit.count(), 1);
    QVERIFY(!gameOver() && !highScores() && !mainWindow());
}

void GameRoadTest::fileEndUnloadsEverything()
{
    QSignalSpy quit(app_.get(), &GameApp::quitRequested);
    mainWindow()->stm_Click();
    mainWindow()->mend_Click();
    QCOMPARE(quit.count(), 1);
    QVERIFY(!mainWindow());
    QCOMPARE(readTable().entries[0].score, 0);  // nothing recorded
}

void GameRoadTest::highScoresOpenOnceAndShowTheFile()
{
    ScoreTable table;
    table.entries[0].score = 875;
    table.entries[0].name = ScoreName::fromText(QStringLiteral("ジロー"));
    writeTable(table);
    mainWindow()->him_Click();
    HI_S* first = highScores();
    QVERIFY(first && first->isVisible());
    QCOMPARE(first->findChild<Label*>(QStringLiteral("Label1"))->text(), QStringLiteral("875"));
    QCOMPARE(first->findChild<Label*>(QStringLiteral("Label2"))->text(), QStringLiteral("ジロー"));
    QCOMPARE(first->findChild<Label*>(QStringLiteral("Label7"))->text(), QStringLiteral("0"));
    QVERIFY(first->findChild<Label*>(QStringLiteral("Label1"))->alignment() & Qt::AlignRight);
    mainWindow()->him_Click();
    QCOMPARE(highScores(), first);
    QTest::mouseClick(first->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QVERIFY(!highScores());
}

void GameRoadTest::highScoresLeftOpenKeepTheOldTable()
{
    mainWindow()->him_Click();
    HI_S* open = highScores();
    playAndEnd();
    typeName(QStringLiteral("new"));
    pressEnter();
    QCOMPARE(highScores(), open);
    QCOMPARE(open->findChild<Label*>(QStringLiteral("Label1"))->text(), QStringLiteral("0"));
    open->Command1_Click();
    mainWindow()->him_Click();
    QCOMPARE(highScores()->findChild<Label*>(QStringLiteral("Label1"))->text(), QStringLiteral("5"));
    QCOMPARE(highScores()->findChild<Label*>(QStringLiteral("Label2"))->text(), QStringLiteral("new"));
}

void GameRoadTest::unwritableFileShowsAnErrorAndTheGameGoesOn()
{
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("BIMZO.DAT")));
    playAndEnd();
    QTRY_COMPARE(errors_.size(), 1);
    QVERIFY(errors_.first().contains(QStringLiteral("BIMZO.DAT")));
    QVERIFY(gameOver()->inNameEntry());
    pressEnter();
    QTRY_COMPARE(errors_.size(), 3);  // the save, then the high-score dialog's load
    QVERIFY(!gameOver()->inNameEntry());
    QVERIFY(QFileInfo(path()).isDir());
    QTest::mouseClick(gameOver()->findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
    QVERIFY(mainWindow()->isEnabled());
}

void GameRoadTest::gameOverWhileAboutIsOpenLeavesAUsableDialog()
{
    mainWindow()->stm_Click();
    bool boxWasUsable = false;
    QTimer::singleShot(50, this, [&] {
        app_->game().boardForTesting().targetTop[2] = 5520;
        mainWindow()->Timer1_Timer();
        QWidget* box = QApplication::activeModalWidget();
        boxWasUsable = box && box->isEnabled();
        if (box)
            box->close();
    });
    mainWindow()->mab_Click();
    QVERIFY(boxWasUsable);
    QVERIFY(gameOver() && gameOver()->isVisible() && gameOver()->isEnabled());
    QVERIFY(!mainWindow()->isEnabled());
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(GameRoadTest)
#include "tst_game_road.moc"
