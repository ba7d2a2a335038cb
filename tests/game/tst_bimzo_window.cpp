// The real main window, driven offscreen.
#include "game/Game.h"
#include "game/PlayField.h"
#include "ui/Caption.h"
#include "ui/GameTimer.h"
#include "tests/support/Child.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/Tiles.h"
#include "ui/Pictures.h"
#include "game/bimzo.h"

#include <QApplication>
#include <QMessageBox>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class BimzoWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // Look and layout
    void idleWindowShowsDesignerTexts();
    void clientAreaIsFixedAndWithoutMaximize();
    void lanesStandAtTheirPlaces();
    void controlsStackAsDesigned();
    void scoreCaptionHasItsCursorAndTooltip();
    void backgroundIsTheSkyPictureStretchedToTilesOf53Pixels();
    void aboutTextHasSixLines();
    void aboutBoxHasTheTitleOneOkButtonAndNoIcon();

    // Input
    void f5StartsAGame();
    void clickOnScoreCaptionStartsAGame();
    void shotHidesShooterAndReddensLineUntilTheNextTick();
    void shotRepaintsOnlyWhatChanged();
    void timerTicksWhileAGameRuns();
    void gameGoesOnWhileTheAboutBoxIsOpen();
    void startInMidGameWaitsAWholeIntervalAgain();
    void gameOverDisablesTheWindowAndSignalsOnce();
    void disabledWindowTakesNoClickOrKey();

private:
    template <typename T>
    T* child(const QString& name) const
    {
        return ::child<T>(window_, name);
    }
    QString text(const QString& name) const { return child<Caption>(name)->text(); }
    FieldItem* item(const QString& name) const { return child<FieldItem>(name); }
    PlayField* field() const { return window_->findChild<PlayField*>(); }
    // A click in the middle of a control, as the mouse gives it.
    static void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center()); }
    void click(const FieldItem* picture) const
    {
        QTest::mouseClick(field(), Qt::LeftButton, {}, picture->geometry().center());
    }

    Game game_;
    ScriptedRandom random_;
    bimzo* window_ = nullptr;
};

void BimzoWindowTest::init()
{
    game_ = Game{};
    window_ = new bimzo(game_, random_);
    window_->Form_Load();
    window_->show();
    QApplication::setActiveWindow(window_);
    QVERIFY(QTest::qWaitForWindowActive(window_));
}

void BimzoWindowTest::cleanup()
{
    delete window_;
    window_ = nullptr;
}

void BimzoWindowTest::idleWindowShowsDesignerTexts()
{
    QCOMPARE(text("ten_0"), QStringLiteral("0"));
    QCOMPARE(text("ten_1"), QStringLiteral("0"));
    QCOMPARE(text("Label1"), QStringLiteral("500"));
    QCOMPARE(text("Label3"), QStringLiteral("残枚数"));
    QCOMPARE(text("lv"), QStringLiteral("LEVEL　１"));
    QCOMPARE(text("Label2"), QStringLiteral("得点"));
    QCOMPARE(window_->windowTitle(), QStringLiteral("Bimzo！"));
    QCOMPARE(game_.board().interval, 0);
}

void BimzoWindowTest::clientAreaIsFixedAndWithoutMaximize()
{
    QCOMPARE(window_->client()->size(), QSize(256, 422));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(window_->client()->y() > 0);  // below the menu bar
    const Qt::WindowFlags flags = window_->windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
}

void BimzoWindowTest::lanesStandAtTheirPlaces()
{
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(item(QStringLiteral("tg_%1").arg(i))->geometry(), QRect(16 + 48 * i, 32, 32, 32));
        QCOMPARE(item(QStringLiteral("sb_%1").arg(i))->geometry(), QRect(16 + 48 * i, 392, 32, 32));
        QCOMPARE(item(QStringLiteral("sbr_%1").arg(i))->geometry(), QRect(16 + 48 * i, 392, 32, 32));
        QCOMPARE(item(QStringLiteral("Line1_%1").arg(i))->geometry(), QRect(32 + 48 * i, 40, 1, 345));
    }
    QCOMPARE(item("Line2")->geometry(), QRect(-1, 391, 258, 2));
    QCOMPARE(field()->geometry(), QRect(QPoint(0, 0), window_->client()->size()));
    QCOMPARE(child<Caption>("ten_1")->geometry(), QRect(64, 8, 97, 25));
    QCOMPARE(child<Caption>("ten_0")->geometry(), QRect(65, 9, 97, 25));
    QCOMPARE(child<Caption>("Label2")->geometry(), QRect(8, 8, 57, 25));
    QCOMPARE(child<Caption>("lv")->geometry(), QRect(168, 0, 73, 17));
}

void BimzoWindowTest::controlsStackAsDesigned()
{
    // Back to front: the field's pictures and lines, then the captions in
    // front of them all, in their designed order.
    const std::vector<FieldItem*>& items = field()->items();
    auto previous = items.begin();
    for (const char* name : {"sbr_0", "Line1_0", "tg_0", "sb_0", "Line2"}) {
        const auto at = std::find(items.begin(), items.end(), item(QLatin1String(name)));
        QVERIFY2(at != items.end() && at >= previous, name);
        previous = at;
    }
    const QObjectList children = field()->children();
    qsizetype before = -1;
    for (const char* name : {"ten_0", "Label2", "lv", "Label1", "Label3", "ten_1"}) {
        const qsizetype at = children.indexOf(child<Caption>(QLatin1String(name)));
        QVERIFY2(at > before, name);
        before = at;
    }
    const QPoint shooterCentre = item("sb_3")->geometry().center();
    QCOMPARE(field()->itemAt(shooterCentre), item("sb_3"));
}

void BimzoWindowTest::scoreCaptionHasItsCursorAndTooltip()
{
    Caption* caption = child<Caption>("Label2");
    QCOMPARE(caption->toolTip(), QStringLiteral("クリックでゲームスタート"));
    QCOMPARE(caption->cursor().shape(), Qt::BitmapCursor);
    QTest::mouseMove(field(), item("sb_0")->geometry().center());
    QCOMPARE(field()->cursor().shape(), Qt::UpArrowCursor);
    QTest::mouseMove(field(), item("tg_0")->geometry().center());
    QCOMPARE(field()->cursor().shape(), Qt::ArrowCursor);
}

void BimzoWindowTest::backgroundIsTheSkyPictureStretchedToTilesOf53Pixels()
{
    const QImage sky = pictures::read(QStringLiteral("tile_sky"));
    QCOMPARE(sky.size(), QSize(50, 50));
    const QString mismatch = tilingMismatch(*window_, sky, QSize(53, 53));
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void BimzoWindowTest::aboutTextHasSixLines()
{
    const QStringList lines = bimzo::aboutText().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0], QStringLiteral("Bimzo！ VER 1.21"));
    QVERIFY(lines[1].isEmpty() && lines[3].isEmpty());
    QVERIFY(lines[2].startsWith(QStringLiteral("制作　")));
    QVERIFY(lines[2].contains(QStringLiteral("@example.org")));
    QVERIFY(lines[4].startsWith(QStringLiteral("最新版　")));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d{4}  \\S")).match(lines[5]).hasMatch());
}

void BimzoWindowTest::aboutBoxHasTheTitleOneOkButtonAndNoIcon()
{
    QString title, message;
    QList<QAbstractButton*> buttons;
    QMessageBox::StandardButton button = QMessageBox::NoButton;
    QMessageBox::Icon icon = QMessageBox::Critical;
    QTimer::singleShot(0, this, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            title = box->windowTitle();
            message = box->text();
            buttons = box->buttons();
            button = box->standardButton(buttons.value(0));
            icon = box->icon();
        }
        if (modal)
            modal->close();
    });
    window_->mab_Click();
    QCOMPARE(title, QStringLiteral("Bimzo！"));
    QCOMPARE(message, bimzo::aboutText());
    QCOMPARE(buttons.size(), 1);
    QCOMPARE(button, QMessageBox::Ok);
    QCOMPARE(icon, QMessageBox::NoIcon);
}

void BimzoWindowTest::f5StartsAGame()
{
    QTest::keyClick(window_, Qt::Key_F5);
    QCOMPARE(game_.board().interval, 500);
}

void BimzoWindowTest::clickOnScoreCaptionStartsAGame()
{
    click(child<Caption>("Label2"));
    QCOMPARE(game_.board().interval, 500);
}

void BimzoWindowTest::shotHidesShooterAndReddensLineUntilTheNextTick()
{
    window_->stm_Click();
    click(item("sb_2"));
    QVERIFY(!item("sb_2")->isVisible());
    QVERIFY(item("sbr_2")->isVisible());
    QCOMPARE(item("Line1_2")->borderColor(), QColor(255, 0, 0));
    const QPoint onLine(item("Line1_2")->x(), 300);  // below the target, which went back up
    QCOMPARE(window_->client()->grab().toImage().pixelColor(onLine), QColor(255, 0, 0));
    QCOMPARE(text("Label1"), QStringLiteral("499"));
    QCOMPARE(field()->itemAt(item("sb_2")->geometry().center()), item("sbr_2"));
    QCOMPARE(field()->cursor().shape(), Qt::ArrowCursor);  // the spent shooter has none

    window_->Timer1_Timer();
    QVERIFY(item("sb_2")->isVisible());
    QCOMPARE(field()->cursor().shape(), Qt::UpArrowCursor);
    QCOMPARE(item("Line1_2")->borderColor(), QColor(Qt::black));
    QCOMPARE(window_->client()->grab().toImage().pixelColor(onLine), QColor(Qt::black));
    QCOMPARE(text("ten_1"), QStringLiteral("45"));
}

namespace {
// Everything the field repaints, in its own pixels.
class PaintedRegion : public QObject {
public:
    QRegion region;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};
} // namespace

void BimzoWindowTest::shotRepaintsOnlyWhatChanged()
{
    window_->stm_Click();
    window_->Timer1_Timer();  // tg_2 one unit down
    QTest::qWait(50);
    const QRect fallen = item("tg_2")->drawnRect();
    PaintedRegion painted;
    field()->installEventFilter(&painted);
    click(item("sb_2"));
    QTRY_VERIFY(!painted.region.isEmpty());
    QTest::qWait(50);
    // The shooter, its lane line, the target's old and new place, the count.
    const QRegion expected = QRegion(item("sb_2")->drawnRect()) + item("Line1_2")->geometry() + fallen
                             + item("tg_2")->drawnRect() + child<Caption>("Label1")->geometry();
    QCOMPARE(painted.region, expected);
    QVERIFY(fallen.height() < item("tg_2")->geometry().height());  // see-through margins are not repainted
}

void BimzoWindowTest::timerTicksWhileAGameRuns()
{
    window_->stm_Click();
    QTRY_COMPARE_WITH_TIMEOUT(text("ten_1"), QStringLiteral("5"), 2000);
    QCOMPARE(item("tg_0")->y(), 36);  // the scripted fall of one unit
}

void BimzoWindowTest::gameGoesOnWhileTheAboutBoxIsOpen()
{
    window_->stm_Click();
    bool boxWasOpen = false;
    QString scoreWhileOpen;
    QTimer::singleShot(0, this, [&] {
        QWidget* box = QApplication::activeModalWidget();
        boxWasOpen = box != nullptr;
        // The game timer's own ticks, inside the box's event loop.
        (void)QTest::qWaitFor([&] { return text("ten_1") != QLatin1String("0"); }, 3000);
        scoreWhileOpen = text("ten_1");
        if (box)
            box->close();
    });
    window_->mab_Click();
    QVERIFY(boxWasOpen);
    QCOMPARE(scoreWhileOpen, QStringLiteral("5"));
}

void BimzoWindowTest::startInMidGameWaitsAWholeIntervalAgain()
{
    window_->stm_Click();
    QTest::qWait(300);
    QTest::keyClick(window_, Qt::Key_F5);
    QVERIFY(window_->findChild<GameTimer*>()->remainingTime() > 450);
}

void BimzoWindowTest::gameOverDisablesTheWindowAndSignalsOnce()
{
    QSignalSpy over(window_, &bimzo::gameOver);
    window_->stm_Click();
    game_.boardForTesting().targetTop[0] = 5520;
    game_.boardForTesting().targetTop[4] = 5520;
    window_->Timer1_Timer();
    QCOMPARE(over.count(), 1);
    QVERIFY(!window_->isEnabled());
    QCOMPARE(game_.board().interval, 0);
}

void BimzoWindowTest::disabledWindowTakesNoClickOrKey()
{
    window_->stm_Click();
    game_.setHitCountForTesting(500);
    window_->Timer1_Timer();
    QVERIFY(!window_->isEnabled());

    click(item("sb_1"));
    QVERIFY(item("sb_1")->isVisible());
    QTest::keyClick(window_, Qt::Key_F5);
    click(child<Caption>("Label2"));
    QCOMPARE(game_.board().interval, 0);
    QCOMPARE(game_.hitCount(), 500);
}

QTEST_MAIN(BimzoWindowTest)
#include "tst_bimzo_window.moc"
