// One game from its start to the dialogs that end it, through the real windows.
#include "scores/ScoreFile.h"
#include "tests/support/Child.h"
#include "tests/support/GameDriver.h"
#include "tests/support/Tiles.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Pictures.h"
#include "ui/TextBox.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

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
    void hitsAfterTheLastMovingTickReachTheDialogButNotTheDisplays();
    void dialogsAreTiledWithTheLavenderPictureStretchedTo21By29();

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
    void closingTheMainWindowEndsOnlyOnceHighScoresClose();
    void closingTheMainWindowAloneEndsTheProgram();
    void tickOfAClosedMainWindowOpensNoDialog();

    // The keyboard in the game-over state
    void keysGivenToTheDisabledMainWindowReachTheNameBox();
    void keysGivenToTheDisabledMainWindowPressTheFocusedButton();

    // The high-score dialog
    void highScoresWithoutAFileCreateItAndShowAnEmptyTable();
    void highScoresOpenOnceAndShowTheFile();
    void highScoresLeftOpenKeepTheOldTable();

    // Faults
    void unwritableFileShowsAnErrorAndTheGameGoesOn();
    void gameOverWhileAboutIsOpenLeavesAUsableDialog();

private:
    bimzo* mainWindow() { return driver_->mainWindow(); }
    GMEND* gameOver() { return driver_->gameOver(); }
    HI_S* highScores() { return driver_->highScores(); }
    QString path() const { return driver_->scoreFilePath(); }
    void writeTable(const ScoreTable& table);
    // A file whose only entry is a first place of 1000 points under `name`.
    void storeFirstPlace(const QString& name);
    ScoreTable readTable();
    void playAndEnd(bool hitAtTheFloor = false) { driver_->playAndEnd(hitAtTheFloor); }
    void typeName(const QString& text);
    void pressEnter();

    std::unique_ptr<GameDriver> driver_;
};

void GameRoadTest::init()
{
    driver_ = std::make_unique<GameDriver>();
    QVERIFY(driver_->start());
}

void GameRoadTest::cleanup()
{
    driver_.reset();
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

void GameRoadTest::typeName(const QString& text)
{
    TextBox* box = child<TextBox>(gameOver(), QStringLiteral("PNAME"));
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void GameRoadTest::pressEnter()
{
    QTest::keyClick(child<TextBox>(gameOver(), QStringLiteral("PNAME")), Qt::Key_Return);
}

void GameRoadTest::firstGameWithoutAFileAsksForAName()
{
    playAndEnd();
    QVERIFY(gameOver());
    QVERIFY(gameOver()->isVisible());
    QVERIFY(!mainWindow()->isEnabled());
    QVERIFY(gameOver()->inNameEntry());
    TextBox* box = child<TextBox>(gameOver(), QStringLiteral("PNAME"));
    QVERIFY(box->text().isEmpty());
    QCOMPARE(child<Label>(gameOver(), QStringLiteral("Label3"))->text(), QStringLiteral("HI-Score"));
    QCOMPARE(child<Label>(gameOver(), QStringLiteral("Label2"))->text(), QStringLiteral("5"));
    QVERIFY(QFile::exists(path()));
    QVERIFY(!child<QPushButton>(gameOver(), QStringLiteral("Command1"))->isVisible());
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
    auto* quit = child<QPushButton>(gameOver(), QStringLiteral("Command1"));
    QVERIFY(quit->isVisible());
    QCOMPARE(gameOver()->focusWidget(), quit);  // the first in tab order
}

void GameRoadTest::enterAtOnceRecordsUnderTheOldFirstName()
{
    storeFirstPlace(QStringLiteral("はなこ"));
    playAndEnd(true);

    TextBox* box = child<TextBox>(gameOver(), QStringLiteral("PNAME"));
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
    QCOMPARE(child<Label>(gameOver(), QStringLiteral("Label3"))->text(), QStringLiteral("Score"));
    QCOMPARE(child<Label>(gameOver(), QStringLiteral("Label2"))->text(), QStringLiteral("465"));
    QVERIFY(highScores() && highScores()->isVisible());
    QCOMPARE(child<Label>(highScores(), QStringLiteral("Label4"))->text(), QStringLiteral("465"));
}

void GameRoadTest::twoTargetsPastTheFloorOpenOneDialog()
{
    mainWindow()->stm_Click();
    driver_->game().boardForTesting().targetTop[0] = 5520;
    driver_->game().boardForTesting().targetTop[3] = 5520;
    mainWindow()->Timer1_Timer();
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(), [](QWidget* w) { return w->objectName() == "GMEND"; }),
             1);
}

void GameRoadTest::hitsAfterTheLastMovingTickReachTheDialogButNotTheDisplays()
{
    mainWindow()->stm_Click();
    mainWindow()->Timer1_Timer();
    driver_->game().setHitCountForTesting(499);
    mainWindow()->sb_Click(2);  // the 500th hit, 45 points at 540
    mainWindow()->Timer1_Timer();  // the hit limit: no points, no move
    QVERIFY(gameOver());
    QCOMPARE(child<Label>(gameOver(), QStringLiteral("Label2"))->text(), QStringLiteral("50"));
    QCOMPARE(child<Label>(mainWindow(), QStringLiteral("ten_0"))->text(), QStringLiteral("5"));
    QCOMPARE(child<Label>(mainWindow(), QStringLiteral("ten_1"))->text(), QStringLiteral("5"));
    QCOMPARE(child<Label>(mainWindow(), QStringLiteral("lv"))->text(), QStringLiteral("打ち止め"));
}

void GameRoadTest::dialogsAreTiledWithTheLavenderPictureStretchedTo21By29()
{
    const QImage lavender = pictures::read(QStringLiteral("tile_lavender"));
    QCOMPARE(lavender.size(), QSize(16, 29));
    playAndEnd();
    QString mismatch = tilingMismatch(*gameOver(), lavender, QSize(21, 29));
    QVERIFY2(mismatch.isEmpty(), qPrintable(QStringLiteral("GMEND ") + mismatch));
    mainWindow()->him_Click();
    mismatch = tilingMismatch(*highScores(), lavender, QSize(21, 29));
    QVERIFY2(mismatch.isEmpty(), qPrintable(QStringLiteral("HI_S ") + mismatch));
}

void GameRoadTest::nameBoxTakesAtMostTwelveCharacters()
{
    playAndEnd();
    typeName(QStringLiteral("あいうえおかきくけこさしすせそ"));
    QCOMPARE(child<TextBox>(gameOver(), QStringLiteral("PNAME"))->text(), QStringLiteral("あいうえおかきくけこさし"));
}

void GameRoadTest::longerStoredFirstNameIsShownAndKeptWhole()
{
    const QString fifteen = QStringLiteral("ABCDEFGHIJKLMNO");
    storeFirstPlace(fifteen);
    playAndEnd(true);

    TextBox* box = child<TextBox>(gameOver(), QStringLiteral("PNAME"));
    QCOMPARE(box->text(), fifteen);
    QCOMPARE(box->selectedText(), fifteen);
    pressEnter();
    QCOMPARE(readTable().entries[1].name.text(), fifteen);
}

void GameRoadTest::typingOnlyShortensALongerStoredName()
{
    storeFirstPlace(QStringLiteral("ABCDEFGHIJKLMNO"));
    playAndEnd(true);

    TextBox* box = child<TextBox>(gameOver(), QStringLiteral("PNAME"));
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
    TextBox* box = child<TextBox>(gameOver(), QStringLiteral("PNAME"));
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
    QCOMPARE(child<TextBox>(gameOver(), QStringLiteral("PNAME"))->text(), QStringLiteral("a\uFF5Eb\uFF0D"));
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
    QTest::mouseClick(child<QPushButton>(gameOver(), QStringLiteral("Command2")), Qt::LeftButton);
    QVERIFY(!gameOver());
    QVERIFY(mainWindow() && mainWindow() != old);
    QVERIFY(mainWindow()->isVisible() && mainWindow()->isEnabled());
    QCOMPARE(child<Label>(mainWindow(), QStringLiteral("ten_1"))->text(), QStringLiteral("0"));
    QCOMPARE(child<Label>(mainWindow(), QStringLiteral("Label1"))->text(), QStringLiteral("500"));
    QCOMPARE(child<Label>(mainWindow(), QStringLiteral("lv"))->text(), QStringLiteral("LEVEL　１"));
    QCOMPARE(driver_->game().hitCount(), 0);
    QCOMPARE(driver_->game().board().interval, 0);
    QCOMPARE(child<Image>(mainWindow(), QStringLiteral("tg_0"))->y(), 32);
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
    QSignalSpy quit(&driver_->app(), &GameApp::quitRequested);
    mainWindow()->him_Click();
    playAndEnd();
    pressEnter();
    QTest::mouseClick(child<QPushButton>(gameOver(), QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(quit.count(), 1);
    QVERIFY(!gameOver() && !highScores() && !mainWindow());
}

void GameRoadTest::fileEndUnloadsEverything()
{
    QSignalSpy quit(&driver_->app(), &GameApp::quitRequested);
    mainWindow()->stm_Click();
    mainWindow()->mend_Click();
    QCOMPARE(quit.count(), 1);
    QVERIFY(!mainWindow());
    QCOMPARE(readTable().entries[0].score, 0);  // nothing recorded
}

void GameRoadTest::closingTheMainWindowEndsOnlyOnceHighScoresClose()
{
    QSignalSpy quit(&driver_->app(), &GameApp::quitRequested);
    mainWindow()->stm_Click();
    mainWindow()->him_Click();
    QVERIFY(mainWindow()->windowHandle()->close());  // as the title bar's close box
    QTest::qWait(1);
    QVERIFY(!mainWindow());
    QVERIFY(highScores() && highScores()->isVisible());
    QCOMPARE(quit.count(), 0);

    QTest::mouseClick(child<QPushButton>(highScores(), QStringLiteral("Command1")), Qt::LeftButton);
    QTRY_COMPARE(quit.count(), 1);
}

void GameRoadTest::closingTheMainWindowAloneEndsTheProgram()
{
    QSignalSpy quit(&driver_->app(), &GameApp::quitRequested);
    QVERIFY(mainWindow()->close());
    QTRY_COMPARE(quit.count(), 1);
}

void GameRoadTest::tickOfAClosedMainWindowOpensNoDialog()
{
    mainWindow()->him_Click();  // keeps the program running
    bimzo* closed = mainWindow();
    closed->stm_Click();
    QVERIFY(closed->close());  // deleted later, its timer still armed
    driver_->game().boardForTesting().targetTop[0] = 5520;
    closed->Timer1_Timer();
    QVERIFY(!gameOver());
}

void GameRoadTest::keysGivenToTheDisabledMainWindowReachTheNameBox()
{
    playAndEnd();
    for (const char* key : {"q", "r"})
        QTest::sendKeyEvent(QTest::Click, mainWindow(), Qt::Key_unknown, QLatin1String(key), Qt::NoModifier);
    QTest::keyClick(mainWindow(), Qt::Key_Return);
    QVERIFY(!gameOver()->inNameEntry());
    QCOMPARE(readTable().entries[0].name.text(), QStringLiteral("qr"));
}

void GameRoadTest::keysGivenToTheDisabledMainWindowPressTheFocusedButton()
{
    ScoreTable full;
    full.entries[0].score = full.entries[1].score = full.entries[2].score = 1000;
    writeTable(full);
    QSignalSpy quit(&driver_->app(), &GameApp::quitRequested);
    playAndEnd();
    QTest::keyClick(mainWindow(), Qt::Key_Space);  // もうやめ has the focus
    QCOMPARE(quit.count(), 1);
}

void GameRoadTest::highScoresWithoutAFileCreateItAndShowAnEmptyTable()
{
    mainWindow()->him_Click();
    QVERIFY(highScores());
    QVERIFY(QFileInfo(path()).isFile());
    QCOMPARE(QFileInfo(path()).size(), 0);
    for (const char* score : {"Label1", "Label4", "Label7"})
        QCOMPARE(child<Label>(highScores(), QLatin1String(score))->text(), QStringLiteral("0"));
    for (const char* name : {"Label2", "Label5", "Label8"})
        QCOMPARE(child<Label>(highScores(), QLatin1String(name))->text(), QString());
    QVERIFY(driver_->errors.isEmpty());
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
    QCOMPARE(child<Label>(first, QStringLiteral("Label1"))->text(), QStringLiteral("875"));
    QCOMPARE(child<Label>(first, QStringLiteral("Label2"))->text(), QStringLiteral("ジロー"));
    QCOMPARE(child<Label>(first, QStringLiteral("Label7"))->text(), QStringLiteral("0"));
    QVERIFY(child<Label>(first, QStringLiteral("Label1"))->alignment() & Qt::AlignRight);
    mainWindow()->him_Click();
    QCOMPARE(highScores(), first);
    QTest::mouseClick(child<QPushButton>(first, QStringLiteral("Command1")), Qt::LeftButton);
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
    QCOMPARE(child<Label>(open, QStringLiteral("Label1"))->text(), QStringLiteral("0"));
    open->Command1_Click();
    mainWindow()->him_Click();
    QCOMPARE(child<Label>(highScores(), QStringLiteral("Label1"))->text(), QStringLiteral("5"));
    QCOMPARE(child<Label>(highScores(), QStringLiteral("Label2"))->text(), QStringLiteral("new"));
}

void GameRoadTest::unwritableFileShowsAnErrorAndTheGameGoesOn()
{
    QVERIFY(QDir(QFileInfo(path()).path()).mkdir(QStringLiteral("BIMZO.DAT")));
    playAndEnd();
    QTRY_COMPARE(driver_->errors.size(), 1);
    QVERIFY(driver_->errors.first().contains(QStringLiteral("BIMZO.DAT")));
    QVERIFY(gameOver()->inNameEntry());
    pressEnter();
    QTRY_COMPARE(driver_->errors.size(), 3);  // the save, then the high-score dialog's load
    QVERIFY(!gameOver()->inNameEntry());
    QVERIFY(QFileInfo(path()).isDir());
    QTest::mouseClick(child<QPushButton>(gameOver(), QStringLiteral("Command2")), Qt::LeftButton);
    QVERIFY(mainWindow()->isEnabled());
}

void GameRoadTest::gameOverWhileAboutIsOpenLeavesAUsableDialog()
{
    mainWindow()->stm_Click();
    bool boxWasUsable = false;
    QTimer::singleShot(50, this, [&] {
        driver_->game().boardForTesting().targetTop[2] = 5520;
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
