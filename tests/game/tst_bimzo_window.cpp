// The real main window, driven offscreen.
#include "game/Game.h"
#include "game/PlayField.h"
#include "ui/Caption.h"
#include "ui/GameTimer.h"
#include "tests/support/Child.h"
#include "tests/support/ScriptedRandom.h"
#include "game/bimzo.h"

#include <QApplication>
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
    void clientAreaIsFixedAndWithoutMaximize();
    void scoreCaptionHasItsCursorAndTooltip();

    // Levels
    void levelShowsFromItsFirstHit_data();
    void levelShowsFromItsFirstHit();

    // Input
    void f5StartsAGame();
    void clickOnScoreCaptionStartsAGame_data();
    void clickOnScoreCaptionStartsAGame();
    void shotHidesShooterAndReddensLineUntilTheNextTick();
    void shotRepaintsOnlyWhatChanged();
    void gameGoesOnWhileTheAboutBoxIsOpen();
    void startInMidGameWaitsAWholeIntervalAgain();
    void gameOverSignalsOnceAndTakesNoClickOrKey_data();
    void gameOverSignalsOnceAndTakesNoClickOrKey();

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

void BimzoWindowTest::clientAreaIsFixedAndWithoutMaximize()
{
    QCOMPARE(window_->client()->size(), QSize(256, 422));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(window_->client()->y() > 0);  // below the menu bar
    const Qt::WindowFlags flags = window_->windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
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

void BimzoWindowTest::levelShowsFromItsFirstHit_data()
{
    QTest::addColumn<int>("hits");
    QTest::addColumn<int>("interval");
    QTest::addColumn<QString>("caption");
    // Each level at the hit count where it starts and just before; a single
    // tick after Start, so "before" shows the level below or, for rows
    // that do not hold, level 1 still.
    const struct {
        int hits, interval;
        const char* caption;
    } rows[] = {
        {0, 500, "LEVEL　１"},   {29, 500, "LEVEL　１"},  {30, 450, "LEVEL　２"},
        {31, 500, "LEVEL　１"},  {60, 500, "LEVEL　１"},  {61, 420, "LEVEL　３"},
        {90, 420, "LEVEL　３"},  {91, 400, "LEVEL　４"},  {120, 400, "LEVEL　４"},
        {121, 350, "LEVEL　５"}, {150, 350, "LEVEL　５"}, {151, 320, "LEVEL　６"},
        {180, 320, "LEVEL　６"}, {181, 280, "LEVEL　７"}, {210, 280, "LEVEL　７"},
        {211, 230, "LEVEL　８"}, {240, 230, "LEVEL　８"}, {241, 180, "LEVEL　９"},
        {300, 180, "LEVEL　９"}, {301, 150, "LEVEL　Ｅ"}, {400, 150, "LEVEL　Ｅ"},
        {401, 100, "LEVEL　∞"}, {499, 100, "LEVEL　∞"}, {500, 0, "打ち止め"},
    };
    for (const auto& row : rows)
        QTest::addRow("%d hits", row.hits) << row.hits << row.interval << QString::fromUtf8(row.caption);
}

void BimzoWindowTest::levelShowsFromItsFirstHit()
{
    QFETCH(int, hits);
    QFETCH(int, interval);
    window_->stm_Click();
    game_.setHitCountForTesting(hits);
    window_->Timer1_Timer();
    QTEST(text("lv"), "caption");
    QCOMPARE(window_->findChild<GameTimer*>()->interval(), interval);
    QCOMPARE(window_->isEnabled(), interval != 0);
}

void BimzoWindowTest::f5StartsAGame()
{
    QTest::keyClick(window_, Qt::Key_F5);
    QCOMPARE(game_.board().interval, 500);
}

void BimzoWindowTest::clickOnScoreCaptionStartsAGame_data()
{
    // Points of the play field. The first target, in front of 「得点」, covers
    // the caption's bottom row from x 16 to 47 and takes the clicks there.
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("starts");
    QTest::newRow("middle") << QPoint(36, 20) << true;
    QTest::newRow("bottom row, left of the target") << QPoint(15, 32) << true;
    QTest::newRow("bottom row, on the target") << QPoint(16, 32) << false;
    QTest::newRow("bottom row, target's right edge") << QPoint(47, 32) << false;
    QTest::newRow("bottom row, right of the target") << QPoint(48, 32) << true;
    QTest::newRow("above the target") << QPoint(30, 31) << true;
}

void BimzoWindowTest::clickOnScoreCaptionStartsAGame()
{
    QFETCH(QPoint, at);
    QFETCH(bool, starts);
    Caption* caption = child<Caption>("Label2");
    QTest::mouseClick(caption, Qt::LeftButton, {}, caption->mapFromParent(at));
    QCOMPARE(game_.board().interval, starts ? 500 : 0);
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

void BimzoWindowTest::gameOverSignalsOnceAndTakesNoClickOrKey_data()
{
    QTest::addColumn<int>("hits");
    QTest::addColumn<bool>("pastTheFloor");  // the first and last targets
    QTest::newRow("two targets past the floor") << 0 << true;
    QTest::newRow("hit limit") << 500 << false;
}

void BimzoWindowTest::gameOverSignalsOnceAndTakesNoClickOrKey()
{
    QFETCH(int, hits);
    QFETCH(bool, pastTheFloor);
    QSignalSpy over(window_, &bimzo::gameOver);
    window_->stm_Click();
    game_.setHitCountForTesting(hits);
    if (pastTheFloor)
        game_.boardForTesting().targetTop[0] = game_.boardForTesting().targetTop[4] = 5520;
    window_->Timer1_Timer();
    QCOMPARE(over.count(), 1);
    QVERIFY(!window_->isEnabled());

    click(item("sb_1"));
    QVERIFY(item("sb_1")->isVisible());
    QTest::keyClick(window_, Qt::Key_F5);
    click(child<Caption>("Label2"));
    QCOMPARE(game_.board().interval, 0);
    QCOMPARE(game_.hitCount(), hits);
}

QTEST_MAIN(BimzoWindowTest)
#include "tst_bimzo_window.moc"
