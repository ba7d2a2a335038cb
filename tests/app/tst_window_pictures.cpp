// What the player sees of each window, pixel for pixel against the pictures
// in tests/pictures/. CTest runs it at scale 1 and 2, in the light style and
// a dark one; see tests/support/Pictures.h for the update mode.
#include "game/PlayField.h"
#include "scores/ScoreFile.h"
#include "tests/support/Child.h"
#include "tests/support/GameDriver.h"
#include "tests/support/Pictures.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QTimer>

#include <memory>

class WindowPicturesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void idleMainWindow();
    void mainWindowInMidGame();
    void menusOfTheMainWindow();
    void aboutBox();
    void gameOverAsksForAName();
    void gameOverWithButtons();
    void highScoresWithNames();
    void pressOnAShooterEdgeBelongsToThePicturePainted_data();
    void pressOnAShooterEdgeBelongsToThePicturePainted();

private:
    // Three places with names of each kind of width.
    void writeTable();
    // The window's picture once it is shown and active.
    static QImage shot(QWidget* window);

    std::unique_ptr<GameDriver> driver_;
};

void WindowPicturesTest::initTestCase()
{
    // A caret that does not blink is drawn the same at every grab.
    QApplication::setCursorFlashTime(0);
}

void WindowPicturesTest::init()
{
    driver_ = std::make_unique<GameDriver>();
    QVERIFY(driver_->start());
}

void WindowPicturesTest::cleanup()
{
    driver_.reset();
}

void WindowPicturesTest::writeTable()
{
    ScoreTable table;
    const char* names[] = {"山田太郎", "Taro", "ｻｸﾗ"};
    const qint32 scores[] = {1000, 875, 100};
    for (int place = 0; place < kScorePlaces; ++place) {
        table.entries[place].score = scores[place];
        table.entries[place].name = ScoreName::fromText(QString::fromUtf8(names[place]));
    }
    QVERIFY(SaveScoreTable(table, driver_->scoreFilePath()).ok());
}

QImage WindowPicturesTest::shot(QWidget* window)
{
    QApplication::setActiveWindow(window);
    [&] { QVERIFY(QTest::qWaitForWindowActive(window)); }();
    return window->grab().toImage();
}

void WindowPicturesTest::idleMainWindow()
{
    CHECK_PICTURE(shot(driver_->mainWindow()), QStringLiteral("main-idle"));
}

void WindowPicturesTest::mainWindowInMidGame()
{
    bimzo* window = driver_->mainWindow();
    window->stm_Click();
    driver_->random.pushFalls({1, 10, 5, 2, 7, 3, 8, 1, 6, 4});
    window->Timer1_Timer();
    driver_->game().setHitCountForTesting(61);
    window->Timer1_Timer();  // level 3
    window->sb_Click(1);     // spent shooter and red line until the next tick
    // Nothing waits in between, so the game's own timer has not ticked.
    CHECK_PICTURE(shot(window), QStringLiteral("main-playing"));
}

void WindowPicturesTest::menusOfTheMainWindow()
{
    QList<QImage> menus;
    for (const char* name : {"mfile", "mhelp"}) {
        auto* menu = driver_->mainWindow()->findChild<QMenu*>(QLatin1String(name));
        QVERIFY(menu);
        menu->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        menus << menu->grab().toImage();
        menu->close();
    }
    // Side by side, in pixels of the screen.
    QImage both(menus[0].width() + menus[1].width(), std::max(menus[0].height(), menus[1].height()),
                QImage::Format_RGB32);
    both.fill(Qt::black);
    QPainter painter(&both);
    int x = 0;
    for (QImage& menu : menus) {
        menu.setDevicePixelRatio(1);
        painter.drawImage(x, 0, menu);
        x += menu.width();
    }
    painter.end();
    CHECK_PICTURE(both, QStringLiteral("main-menus"));
}

void WindowPicturesTest::aboutBox()
{
    QImage picture;
    QString title;
    QTimer::singleShot(0, this, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box)
            return;
        if (QTest::qWaitForWindowExposed(box)) {
            title = box->windowTitle();
            picture = box->grab().toImage();
        }
        box->close();
    });
    driver_->mainWindow()->mab_Click();
    QCOMPARE(title, QStringLiteral("Bimzo！"));
    CHECK_PICTURE(picture, QStringLiteral("about"));
}

void WindowPicturesTest::gameOverAsksForAName()
{
    writeTable();
    driver_->playAndEnd(true);  // 465 points beat the third place
    QVERIFY(driver_->gameOver() && driver_->gameOver()->inNameEntry());
    CHECK_PICTURE(shot(driver_->gameOver()), QStringLiteral("game-over-name"));
}

void WindowPicturesTest::gameOverWithButtons()
{
    writeTable();
    driver_->playAndEnd();  // 5 points do not
    QVERIFY(driver_->gameOver() && !driver_->gameOver()->inNameEntry());
    CHECK_PICTURE(shot(driver_->gameOver()), QStringLiteral("game-over-buttons"));
}

void WindowPicturesTest::highScoresWithNames()
{
    writeTable();
    driver_->mainWindow()->him_Click();
    QVERIFY(driver_->highScores());
    CHECK_PICTURE(shot(driver_->highScores()), QStringLiteral("high-scores"));
}

void WindowPicturesTest::pressOnAShooterEdgeBelongsToThePicturePainted_data()
{
    // Device pixels from the shooter's painted edge: a press there shoots or
    // misses as the pixel shows the shooter or not. The top edge is that of
    // its rectangle, whose see-through rows above the drawn part take presses.
    QTest::addColumn<Qt::Edge>("edge");
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("shoots");
    QTest::newRow("first column") << Qt::LeftEdge << 0 << true;
    QTest::newRow("left of it") << Qt::LeftEdge << -1 << false;
    QTest::newRow("last column") << Qt::RightEdge << 0 << true;
    QTest::newRow("right of it") << Qt::RightEdge << 1 << false;
    QTest::newRow("first row") << Qt::TopEdge << 0 << true;
    QTest::newRow("above it") << Qt::TopEdge << -1 << false;
}

void WindowPicturesTest::pressOnAShooterEdgeBelongsToThePicturePainted()
{
    QFETCH(Qt::Edge, edge);
    QFETCH(int, offset);
    QFETCH(bool, shoots);
    bimzo* window = driver_->mainWindow();
    FieldItem* shooter = child<FieldItem>(window, QStringLiteral("sb_2"));
    FieldItem* red = child<FieldItem>(window, QStringLiteral("sbr_2"));
    // Where the shooter is painted, in device pixels of the window.
    const QImage armed = shot(window);
    shooter->setVisible(false);
    red->setVisible(false);
    const QImage bare = shot(window);
    shooter->setVisible(true);
    red->setVisible(true);
    QRect painted;
    for (int y = 0; y < armed.height(); ++y)
        for (int x = 0; x < armed.width(); ++x)
            if (armed.pixel(x, y) != bare.pixel(x, y))
                painted |= QRect(x, y, 1, 1);
    const qreal dpr = armed.devicePixelRatio();
    const int margin = qRound((shooter->drawnRect().top() - shooter->geometry().top()) * dpr);
    QPoint pixel = painted.center();
    switch (edge) {
    case Qt::LeftEdge: pixel.setX(painted.left() + offset); break;
    case Qt::RightEdge: pixel.setX(painted.right() + offset); break;
    default: pixel.setY(painted.top() - margin + offset); break;
    }
    // As the window system delivers it: the device pixel's corner, in logical pixels.
    const QPointF at = QPointF(pixel) / dpr;
    QWindow* handle = window->windowHandle();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        qt_handleMouseEvent(handle, at, handle->mapToGlobal(at), type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                            Qt::LeftButton, type, {}, 0);
    }
    QCOMPARE(shooter->isVisible(), !shoots);
}

QTEST_MAIN(WindowPicturesTest)
#include "tst_window_pictures.moc"
