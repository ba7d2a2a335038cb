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
    void onlyAScoreAboveTheStoredThirdPlaceAsksForAName_data();
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
    void fileEndUnloadsEverything();
    void closingTheMainWindowEndsOnceNoWindowIsLeft_data();
    void closingTheMainWindowEndsOnceNoWindowIsLeft();
    void tickOfAClosedMainWindowOpensNoDialog();

    // The keyboard in the game-over state
    void keysGivenToTheDisabledMainWindowReachTheNameBox();
    void keysGivenToTheDisabledMainWindowPressTheFocusedButton();

    // The high-score dialog
    void highScoresOpenOnceAndShowTheFile_data();
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
    QString caption(QObject* window, const char* name) const { return child<Caption>(window, name)->text(); }
    void click(QObject* window, const char* button) const
    {
        QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
    }
    ScoreTable readTable() const { return driver_->storedTable(); }
    void playAndEnd(bool hitAtTheFloor = false) { driver_->playAndEnd(hitAtTheFloor); }
    void typeName(const QString& text) { driver_->typeName(text); }
    void pressEnter() { driver_->enterName(); }

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

void GameRoadTest::onlyAScoreAboveTheStoredThirdPlaceAsksForAName_data()
{
    // The scores stored before the game (none: no file), the game's, and the
    // table once Enter has recorded it or the buttons came. A table out of
    // order, as another program may have written it, counts by its stored
    // third place and the ranking then puts the score in place.
    QTest::addColumn<QList<qint32>>("stored");
    QTest::addColumn<bool>("hitAtTheFloor");  // 465 points, else 5
    QTest::addColumn<bool>("asks");
    QTest::addColumn<QList<qint32>>("saved");
    using L = QList<qint32>;
    QTest::newRow("first game, no file") << L{} << false << true << L{5, 0, 0};
    QTest::newRow("equal to the third place") << L{20, 10, 5} << false << false << L{20, 10, 5};
    QTest::newRow("above the third place only") << L{10, 20, 3} << false << true << L{10, 20, 5};
    QTest::newRow("above the first two only") << L{10, 20, 1000} << true << false << L{10, 20, 1000};
}

void GameRoadTest::onlyAScoreAboveTheStoredThirdPlaceAsksForAName()
{
    QFETCH(QList<qint32>, stored);
    QFETCH(bool, hitAtTheFloor);
    QFETCH(bool, asks);
    if (!stored.isEmpty())
        driver_->storeScores(stored[0], stored[1], stored[2]);
    playAndEnd(hitAtTheFloor);
    QVERIFY(gameOver() && gameOver()->isVisible());
    QVERIFY(!mainWindow()->isEnabled());
    QCOMPARE(gameOver()->inNameEntry(), asks);
    QCOMPARE(caption(gameOver(), "Label3"), asks ? QStringLiteral("HI-Score") : QStringLiteral("Score"));
    QCOMPARE(caption(gameOver(), "Label2"), hitAtTheFloor ? QStringLiteral("465") : QStringLiteral("5"));
    auto* quit = child<QPushButton>(gameOver(), "Command1");
    QCOMPARE(quit->isVisible(), !asks);
    QCOMPARE(gameOver()->focusWidget(), asks ? static_cast<QWidget*>(driver_->nameBox()) : quit);  // first in tab order
    if (asks) {
        QVERIFY(driver_->nameBox()->text().isEmpty());
        pressEnter();
    }
    const ScoreTable saved = readTable();
    QTEST((QList<qint32>{saved.entries[0].score, saved.entries[1].score, saved.entries[2].score}), "saved");
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
    driver_->storeScores(1000, 0, 0, name);
    playAndEnd(true);

    TextBox* box = driver_->nameBox();
    QCOMPARE(box->text(), name);
    QCOMPARE(box->selectedText(), name);
    pressEnter();

    const ScoreTable saved = readTable();
    QCOMPARE(saved.entries[1].score, 465);
    QCOMPARE(saved.entries[1].hits, 1);
    QCOMPARE(saved.entries[1].name.text(), name);
    QVERIFY(!gameOver()->inNameEntry());
    QCOMPARE(caption(gameOver(), "Label3"), QStringLiteral("Score"));
    QCOMPARE(caption(gameOver(), "Label2"), QStringLiteral("465"));
    QVERIFY(highScores() && highScores()->isVisible());
    QCOMPARE(caption(highScores(), "Label4"), QStringLiteral("465"));
}

void GameRoadTest::hitsAfterTheLastMovingTickReachTheDialogButNotTheDisplays()
{
    mainWindow()->stm_Click();
    mainWindow()->Timer1_Timer();
    driver_->game().setHitCountForTesting(499);
    mainWindow()->sb_Click(2);  // the 500th hit, 45 points at 540
    mainWindow()->Timer1_Timer();  // the hit limit: no points, no move
    QVERIFY(gameOver());
    QCOMPARE(caption(gameOver(), "Label2"), QStringLiteral("50"));
    QCOMPARE(caption(mainWindow(), "ten_0"), QStringLiteral("5"));
    QCOMPARE(caption(mainWindow(), "ten_1"), QStringLiteral("5"));
    QCOMPARE(caption(mainWindow(), "lv"), QStringLiteral("打ち止め"));
}

void GameRoadTest::typingOnlyShortensALongerStoredName()
{
    driver_->storeScores(1000, 0, 0, QStringLiteral("ABCDEFGHIJKLMNO"));
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
    } else {  // an input method: the reading under conversion, then the chosen text
        QInputMethodEvent composing(QStringLiteral("やまだ"), {});
        QApplication::sendEvent(box, &composing);
        QInputMethodEvent commit;
        commit.setCommitString(input);
        QApplication::sendEvent(box, &commit);
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
    click(gameOver(), "Command2");
    QVERIFY(!gameOver());
    QVERIFY(mainWindow() && mainWindow() != old);
    QVERIFY(mainWindow()->isVisible() && mainWindow()->isEnabled());
    QCOMPARE(caption(mainWindow(), "ten_1"), QStringLiteral("0"));
    QCOMPARE(caption(mainWindow(), "Label1"), QStringLiteral("500"));
    QCOMPARE(caption(mainWindow(), "lv"), QStringLiteral("LEVEL　１"));
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

    driver_->storeScores(1000, 1000, 1000);
    playAndEnd();
    QVERIFY(!gameOver()->inNameEntry());
    gameOver()->close();
    QVERIFY(!gameOver());
    QVERIFY(mainWindow()->isEnabled());
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

void GameRoadTest::closingTheMainWindowEndsOnceNoWindowIsLeft_data()
{
    QTest::addColumn<bool>("highScoresOpen");
    QTest::newRow("alone") << false;
    QTest::newRow("with the high scores open") << true;
}

void GameRoadTest::closingTheMainWindowEndsOnceNoWindowIsLeft()
{
    QFETCH(bool, highScoresOpen);
    QSignalSpy quit(&driver_->app(), &GameApp::quitRequested);
    mainWindow()->stm_Click();
    if (highScoresOpen)
        mainWindow()->him_Click();
    QVERIFY(mainWindow()->windowHandle()->close());  // as the title bar's close box
    if (highScoresOpen) {
        QTest::qWait(1);
        QVERIFY(!mainWindow());
        QVERIFY(highScores() && highScores()->isVisible());
        QCOMPARE(quit.count(), 0);
        click(highScores(), "Command1");
    }
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
    driver_->storeScores(1000, 1000, 1000);
    QSignalSpy quit(&driver_->app(), &GameApp::quitRequested);
    mainWindow()->him_Click();
    playAndEnd();
    QTest::keyClick(mainWindow(), Qt::Key_Space);  // もうやめ has the focus
    QCOMPARE(quit.count(), 1);
    QVERIFY(!gameOver() && !highScores() && !mainWindow());  // the high scores go too
}

void GameRoadTest::highScoresOpenOnceAndShowTheFile_data()
{
    QTest::addColumn<int>("score");  // of the first place; 0: no file
    QTest::addColumn<QString>("name");
    QTest::newRow("no file") << 0 << QString();
    QTest::newRow("a first place") << 875 << QStringLiteral("ジロー");
}

void GameRoadTest::highScoresOpenOnceAndShowTheFile()
{
    QFETCH(int, score);
    QFETCH(QString, name);
    if (score)
        driver_->storeScores(score, 0, 0, name);
    mainWindow()->him_Click();
    HI_S* first = highScores();
    QVERIFY(first && first->isVisible());
    QCOMPARE(caption(first, "Label1"), QString::number(score));
    QCOMPARE(caption(first, "Label2"), name);
    QCOMPARE(caption(first, "Label7"), QStringLiteral("0"));
    QVERIFY(child<Caption>(first, "Label1")->alignment() & Qt::AlignRight);
    QVERIFY(driver_->errors.isEmpty());
    mainWindow()->him_Click();
    QCOMPARE(highScores(), first);
    click(first, "Command1");
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
    QCOMPARE(caption(open, "Label1"), QStringLiteral("0"));
    open->Command1_Click();
    mainWindow()->him_Click();
    QCOMPARE(caption(highScores(), "Label1"), QStringLiteral("5"));
    QCOMPARE(caption(highScores(), "Label2"), QStringLiteral("new"));
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
