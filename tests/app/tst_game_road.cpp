// One game from its start to the dialogs that end it, through the real windows.
#include "scores/ScoreFile.h"
#include "tests/support/Child.h"
#include "tests/support/GameDriver.h"
#include "game/PlayField.h"
#include "ui/Caption.h"
#include "ui/TextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>

class GameRoadTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // Game over and name entry
    void firstGameWithoutAFileAsksForAName();
    void scoreEqualToThirdPlaceGetsTheButtons();
    void onlyAScoreAboveTheStoredThirdPlaceAsksForAName();
    void enterAtOnceRecordsUnderTheOldFirstName_data();
    void enterAtOnceRecordsUnderTheOldFirstName();
    void hitsAfterTheLastMovingTickReachTheDialogButNotTheDisplays();

    // The name box
    void typingOnlyShortensALongerStoredName();
    void nameBoxKeepsWhatTheFileCanStore_data();
    void nameBoxKeepsWhatTheFileCanStore();
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

    // Title bars
    void fixedSizeWindowsAreNeverMaximised_data();
    void fixedSizeWindowsAreNeverMaximised();

    // Faults
    void unwritableFileShowsAnErrorAndTheGameGoesOn();
    void gameOverWhileAboutIsOpenLeavesAUsableDialog();

private:
    bimzo* mainWindow() { return driver_->mainWindow(); }
    GMEND* gameOver() { return driver_->gameOver(); }
    HI_S* highScores() { return driver_->highScores(); }
    QString path() const { return driver_->scoreFilePath(); }
    void writeTable(const ScoreTable& table);
    void writeScores(qint32 first, qint32 second, qint32 third);
    // A file whose only entry is a first place of 1000 points under `name`.
    void storeFirstPlace(const QString& name);
    ScoreTable readTable() const { return driver_->storedTable(); }
    void playAndEnd(bool hitAtTheFloor = false) { driver_->playAndEnd(hitAtTheFloor); }
    void typeName(const QString& text);
    // What an input method sends: the reading under conversion, then the
    // chosen text, once the player's Enter has confirmed it.
    void commitName(const QString& reading, const QString& text);
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

void GameRoadTest::fixedSizeWindowsAreNeverMaximised_data()
{
    QTest::addColumn<int>("window");  // 0 main, 1 game over, 2 high scores
    QTest::addColumn<bool>("minimise");
    QTest::newRow("main window") << 0 << true;
    QTest::newRow("game over") << 1 << false;
    QTest::newRow("high scores") << 2 << false;
}

// No maximise button for a window manager to draw; and a maximise asked for
// anyway, as Qt's own Wayland title bars offer it, leaves the window as it was.
void GameRoadTest::fixedSizeWindowsAreNeverMaximised()
{
    QFETCH(int, window);
    QFETCH(bool, minimise);
    playAndEnd();
    driver_->app().highScoreDialog().show();
    QWidget* const windows[] = {mainWindow(), gameOver(), highScores()};
    QWidget* form = windows[window];
    QVERIFY(form && QTest::qWaitForWindowExposed(form));
    QVERIFY(!form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint), minimise);
    const QSize size = form->size();
    form->setWindowState(Qt::WindowMaximized);
    QTRY_VERIFY(!form->isMaximized());
    QCOMPARE(form->size(), size);
}

void GameRoadTest::writeTable(const ScoreTable& table)
{
    QVERIFY(SaveScoreTable(table, path()).ok());
}

void GameRoadTest::writeScores(qint32 first, qint32 second, qint32 third)
{
    ScoreTable table;
    table.entries[0].score = first;
    table.entries[1].score = second;
    table.entries[2].score = third;
    writeTable(table);
}

void GameRoadTest::storeFirstPlace(const QString& name)
{
    ScoreTable table;
    table.entries[0].score = 1000;
    table.entries[0].name = ScoreName::fromText(name);
    writeTable(table);
}

void GameRoadTest::typeName(const QString& text)
{
    TextBox* box = driver_->nameBox();
    for (const char32_t c : text.toUcs4())
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString::fromUcs4(&c, 1), Qt::NoModifier);
}

void GameRoadTest::commitName(const QString& reading, const QString& text)
{
    TextBox* box = driver_->nameBox();
    QInputMethodEvent composing(reading, {});
    QApplication::sendEvent(box, &composing);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(box, &commit);
}

void GameRoadTest::pressEnter()
{
    QTest::keyClick(driver_->nameBox(), Qt::Key_Return);
}

void GameRoadTest::firstGameWithoutAFileAsksForAName()
{
    playAndEnd();
    QVERIFY(gameOver());
    QVERIFY(gameOver()->isVisible());
    QVERIFY(!mainWindow()->isEnabled());
    QVERIFY(gameOver()->inNameEntry());
    TextBox* box = driver_->nameBox();
    QVERIFY(box->text().isEmpty());
    QCOMPARE(child<Caption>(gameOver(), QStringLiteral("Label3"))->text(), QStringLiteral("HI-Score"));
    QCOMPARE(child<Caption>(gameOver(), QStringLiteral("Label2"))->text(), QStringLiteral("5"));
    QVERIFY(!child<QPushButton>(gameOver(), QStringLiteral("Command1"))->isVisible());
    QCOMPARE(gameOver()->focusWidget(), box);
}

void GameRoadTest::scoreEqualToThirdPlaceGetsTheButtons()
{
    writeScores(20, 10, 5);
    playAndEnd();
    QVERIFY(!gameOver()->inNameEntry());
    auto* quit = child<QPushButton>(gameOver(), QStringLiteral("Command1"));
    QVERIFY(quit->isVisible());
    QCOMPARE(gameOver()->focusWidget(), quit);  // the first in tab order
}

// A table out of order, as another program may have written it: what counts
// is the third place as stored, and the ranking then puts the score in place.
void GameRoadTest::onlyAScoreAboveTheStoredThirdPlaceAsksForAName()
{
    writeScores(10, 20, 1000);
    playAndEnd(true);  // 465 points: more than the first two places
    QVERIFY(!gameOver()->inNameEntry());
    QCOMPARE(readTable().entries[2].score, 1000);
    QTest::mouseClick(child<QPushButton>(gameOver(), QStringLiteral("Command2")), Qt::LeftButton);

    writeScores(10, 20, 3);
    playAndEnd();  // 5 points: more than the third place only
    QVERIFY(gameOver()->inNameEntry());
    pressEnter();
    const ScoreTable saved = readTable();
    QCOMPARE(saved.entries[0].score, 10);
    QCOMPARE(saved.entries[1].score, 20);
    QCOMPARE(saved.entries[2].score, 5);
}

void GameRoadTest::enterAtOnceRecordsUnderTheOldFirstName_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("short") << QStringLiteral("はなこ");
    QTest::newRow("longer than the box takes") << QStringLiteral("ABCDEFGHIJKLMNO");
}

void GameRoadTest::enterAtOnceRecordsUnderTheOldFirstName()
{
    QFETCH(QString, name);
    storeFirstPlace(name);
    playAndEnd(true);

    TextBox* box = driver_->nameBox();
    QCOMPARE(box->text(), name);
    QCOMPARE(box->selectedText(), name);
    pressEnter();

    const ScoreTable saved = readTable();
    QCOMPARE(saved.entries[1].score, 465);
    QCOMPARE(saved.entries[1].hits, 1);
    QCOMPARE(saved.entries[1].name.text(), name);
    QCOMPARE(saved.tag, 121);
    QCOMPARE(saved.check, 5000);
    QVERIFY(!gameOver()->inNameEntry());
    QCOMPARE(child<Caption>(gameOver(), QStringLiteral("Label3"))->text(), QStringLiteral("Score"));
    QCOMPARE(child<Caption>(gameOver(), QStringLiteral("Label2"))->text(), QStringLiteral("465"));
    QVERIFY(highScores() && highScores()->isVisible());
    QCOMPARE(child<Caption>(highScores(), QStringLiteral("Label4"))->text(), QStringLiteral("465"));
}

void GameRoadTest::hitsAfterTheLastMovingTickReachTheDialogButNotTheDisplays()
{
    mainWindow()->stm_Click();
    mainWindow()->Timer1_Timer();
    driver_->game().setHitCountForTesting(499);
    mainWindow()->sb_Click(2);  // the 500th hit, 45 points at 540
    mainWindow()->Timer1_Timer();  // the hit limit: no points, no move
    QVERIFY(gameOver());
    QCOMPARE(child<Caption>(gameOver(), QStringLiteral("Label2"))->text(), QStringLiteral("50"));
    QCOMPARE(child<Caption>(mainWindow(), QStringLiteral("ten_0"))->text(), QStringLiteral("5"));
    QCOMPARE(child<Caption>(mainWindow(), QStringLiteral("ten_1"))->text(), QStringLiteral("5"));
    QCOMPARE(child<Caption>(mainWindow(), QStringLiteral("lv"))->text(), QStringLiteral("打ち止め"));
}

void GameRoadTest::typingOnlyShortensALongerStoredName()
{
    storeFirstPlace(QStringLiteral("ABCDEFGHIJKLMNO"));
    playAndEnd(true);

    TextBox* box = driver_->nameBox();
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Delete);
    typeName(QStringLiteral("xy"));
    QCOMPARE(box->text(), QStringLiteral("BCDEFGHIJKLMNO"));
    QCOMPARE(box->cursorPosition(), 0);
    box->selectAll();
    typeName(QStringLiteral("あいうえおかきくけこさしすせそ"));
    QCOMPARE(box->text(), QStringLiteral("あいうえおかきくけこさし"));
}

void GameRoadTest::nameBoxKeepsWhatTheFileCanStore_data()
{
    // `input` comes typed key by key, pasted over the box, or committed by
    // an input method, after `before` was typed. What the file cannot store
    // or the twelve characters leave no room for goes with a bell each.
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("bells");
    const QString eleven = QStringLiteral("あいうえおかきくけこさ");
    auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
    row("twelve characters at most") << "typed" << "" << eleven + "しすせそ" << eleven + "し" << 3;
    row("what the file cannot store") << "typed" << "" << "A😀é한B" << "AB" << 3;
    row("pasted") << "pasted" << "" << "x😀yゔ" << "xy" << 1;
    row("input method") << "committed" << "" << "山田😀" << "山田" << 1;
    row("input method past twelve") << "committed" << eleven << "山田" << eleven + "山" << 1;
    // Look-alikes go in the form the file stores.
    row("wave dash") << "typed" << "" << "a\u301C" << "a\uFF5E" << 0;
    row("double vertical line") << "typed" << "" << "a\u2016" << "a\u2225" << 0;
    row("minus sign") << "typed" << "" << "a\u2212" << "a\uFF0D" << 0;
    row("cent sign") << "typed" << "" << "a\u00A2" << "a\uFFE0" << 0;
    row("pound sign") << "typed" << "" << "a\u00A3" << "a\uFFE1" << 0;
    row("not sign") << "typed" << "" << "a\u00AC" << "a\uFFE2" << 0;
}

void GameRoadTest::nameBoxKeepsWhatTheFileCanStore()
{
    QFETCH(QString, how);
    QFETCH(QString, before);
    QFETCH(QString, input);
    QFETCH(QString, kept);
    playAndEnd();
    TextBox* box = driver_->nameBox();
    typeName(before);
    QSignalSpy bell(box, &TextBox::inputRefused);
    if (how == QLatin1String("typed")) {
        typeName(input);
    } else if (how == QLatin1String("pasted")) {
        QApplication::clipboard()->setText(input);
        box->paste();
    } else {
        commitName(QStringLiteral("やまだ"), input);
    }
    QCOMPARE(box->text(), kept);
    QCOMPARE(box->cursorPosition(), kept.size());
    QTEST(int(bell.count()), "bells");
    QVERIFY(gameOver()->inNameEntry());  // nothing is recorded before Enter
    pressEnter();
    QCOMPARE(readTable().entries[0].name.text(), kept);
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
    QCOMPARE(child<Caption>(mainWindow(), QStringLiteral("ten_1"))->text(), QStringLiteral("0"));
    QCOMPARE(child<Caption>(mainWindow(), QStringLiteral("Label1"))->text(), QStringLiteral("500"));
    QCOMPARE(child<Caption>(mainWindow(), QStringLiteral("lv"))->text(), QStringLiteral("LEVEL　１"));
    QCOMPARE(driver_->game().hitCount(), 0);
    QCOMPARE(driver_->game().board().interval, 0);
    QCOMPARE(child<FieldItem>(mainWindow(), QStringLiteral("tg_0"))->y(), 32);
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

    writeScores(1000, 1000, 1000);
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
    for (const char* score : {"Label1", "Label4", "Label7"})
        QCOMPARE(child<Caption>(highScores(), QLatin1String(score))->text(), QStringLiteral("0"));
    for (const char* name : {"Label2", "Label5", "Label8"})
        QCOMPARE(child<Caption>(highScores(), QLatin1String(name))->text(), QString());
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
    QCOMPARE(child<Caption>(first, QStringLiteral("Label1"))->text(), QStringLiteral("875"));
    QCOMPARE(child<Caption>(first, QStringLiteral("Label2"))->text(), QStringLiteral("ジロー"));
    QCOMPARE(child<Caption>(first, QStringLiteral("Label7"))->text(), QStringLiteral("0"));
    QVERIFY(child<Caption>(first, QStringLiteral("Label1"))->alignment() & Qt::AlignRight);
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
    QCOMPARE(child<Caption>(open, QStringLiteral("Label1"))->text(), QStringLiteral("0"));
    open->Command1_Click();
    mainWindow()->him_Click();
    QCOMPARE(child<Caption>(highScores(), QStringLiteral("Label1"))->text(), QStringLiteral("5"));
    QCOMPARE(child<Caption>(highScores(), QStringLiteral("Label2"))->text(), QStringLiteral("new"));
}

void GameRoadTest::unwritableFileShowsAnErrorAndTheGameGoesOn()
{
    QVERIFY(QDir(QFileInfo(path()).path()).mkdir(QStringLiteral("BIMZO.DAT")));
    playAndEnd();
    QTRY_COMPARE(driver_->errors.size(), 1);
    QVERIFY(driver_->errors.first().contains(QStringLiteral("BIMZO.DAT")));
    QVERIFY(gameOver()->inNameEntry());
    pressEnter();
    QTRY_COMPARE(driver_->errors.size(), 2);  // the save's own, and no high-score dialog
    QVERIFY(driver_->errors.last().startsWith(QStringLiteral("得点は記録されませんでした。")));
    QVERIFY(gameOver()->inNameEntry());
    QVERIFY(!highScores());
    QVERIFY(QFileInfo(path()).isDir());
    QTest::keyClick(gameOver(), Qt::Key_Escape);  // gives up recording
    QVERIFY(!gameOver());
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
