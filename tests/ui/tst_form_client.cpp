// Windowless controls on a form's client area: what is drawn, what the
// mouse reaches, and what one change repaints.
#include "ui/Form.h"
#include "ui/FormClient.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Line.h"

#include <QBackingStore>
#include <QPaintEvent>
#include <qpa/qplatformbackingstore.h>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <memory>

namespace {

QPixmap square(const QColor& color)
{
    QPixmap p(32, 32);
    p.fill(color);
    return p;
}

// Collects what the client area is asked to repaint.
class PaintSpy : public QObject {
public:
    QRegion painted;
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++paints;
        }
        return false;
    }
};

} // namespace

class FormClientTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // The mouse
    void pressGoesToTheFrontMostControl();
    void lineLetsClicksThrough();
    void hiddenControlTakesNoClick();
    void labelClicksOnlyWhenReleasedOverIt();
    void pointerTakesTheShapeOfTheControlUnderIt();
    void toolTipIsThatOfTheControlUnderThePointer();

    // Painting
    void controlsAreDrawnBackToFront();
    void newCaptionIsDrawn();
    void aChangeRepaintsOnlyItsControl();
    void aMoveRepaintsWhereItWasAndWhereItIs();
    void changesPaintedBitByBitMatchAWholePaint();

    // Lifetime
    void aDeletedControlLeavesTheClient();

private:
    FormClient* client() const { return form_->client(); }
    void press(const QPoint& at) { QTest::mousePress(client(), Qt::LeftButton, {}, at); }
    void release(const QPoint& at) { QTest::mouseRelease(client(), Qt::LeftButton, {}, at); }
    QColor pixel(const QPoint& at) const { return client()->grab().toImage().pixelColor(at); }
    // Paints what is pending, then returns what the next changes repaint.
    QRegion repaintedBy(const std::function<void()>& change);

    std::unique_ptr<Form> form_;
    Image* back_ = nullptr;   // red, 0..31
    Image* front_ = nullptr;  // blue, 16..47
    Label* label_ = nullptr;
};

void FormClientTest::init()
{
    form_ = std::make_unique<Form>(QStringLiteral("test"), 1500, 1500, Form::Border::FixedDialog, Qt::white);
    back_ = new Image(client(), QStringLiteral("back"), 0, 0, 0, 480, 480, square(Qt::red));
    front_ = new Image(client(), QStringLiteral("front"), 1, 240, 240, 480, 480, square(Qt::blue));
    label_ = new Label(client(), QStringLiteral("label"), 0, 900, 1200, 300, QStringLiteral("x"));
    label_->backColor(Qt::green);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void FormClientTest::cleanup()
{
    form_.reset();
}

QRegion FormClientTest::repaintedBy(const std::function<void()>& change)
{
    client()->repaint();
    PaintSpy spy;
    client()->installEventFilter(&spy);
    change();
    static_cast<void>(QTest::qWaitFor([&] { return spy.paints > 0; }));  // none: the caller fails
    client()->removeEventFilter(&spy);
    return spy.painted;
}

void FormClientTest::pressGoesToTheFrontMostControl()
{
    QSignalSpy backClicks(back_, &Image::Click), frontClicks(front_, &Image::Click);
    press(QPoint(20, 20));  // where the two overlap
    release(QPoint(20, 20));
    QCOMPARE(frontClicks.count(), 1);
    QCOMPARE(frontClicks.first().first().toInt(), 1);
    QCOMPARE(backClicks.count(), 0);
    press(QPoint(5, 5));
    QCOMPARE(backClicks.count(), 1);
}

void FormClientTest::lineLetsClicksThrough()
{
    new Line(client(), QStringLiteral("line"), 300, 0, 300, 1500, 1, Qt::black);  // x = 20, in front
    QSignalSpy frontClicks(front_, &Image::Click);
    press(QPoint(20, 30));
    QCOMPARE(frontClicks.count(), 1);
}

void FormClientTest::hiddenControlTakesNoClick()
{
    QSignalSpy backClicks(back_, &Image::Click), frontClicks(front_, &Image::Click);
    front_->hide();
    press(QPoint(20, 20));
    QCOMPARE(frontClicks.count(), 0);
    QCOMPARE(backClicks.count(), 1);
    QVERIFY(!front_->isVisible());
    QCOMPARE(client()->graphicAt(QPoint(20, 20)), back_);
}

void FormClientTest::labelClicksOnlyWhenReleasedOverIt()
{
    QSignalSpy clicks(label_, &Label::Click);
    press(QPoint(10, 65));
    release(QPoint(10, 95));  // dragged off below
    QCOMPARE(clicks.count(), 0);
    press(QPoint(10, 65));
    release(QPoint(70, 70));
    QCOMPARE(clicks.count(), 1);
    press(QPoint(5, 5));  // pressed elsewhere, released over it
    release(QPoint(10, 65));
    QCOMPARE(clicks.count(), 1);
}

void FormClientTest::pointerTakesTheShapeOfTheControlUnderIt()
{
    front_->setCursor(Qt::UpArrowCursor);
    QTest::mouseMove(client(), QPoint(40, 40));
    QCOMPARE(client()->cursor().shape(), Qt::UpArrowCursor);
    QTest::mouseMove(client(), QPoint(5, 5));  // over the one without a shape of its own
    QCOMPARE(client()->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(client(), QPoint(40, 40));
    front_->hide();  // the pointer stays, the control goes
    QCOMPARE(client()->cursor().shape(), Qt::ArrowCursor);
}

void FormClientTest::toolTipIsThatOfTheControlUnderThePointer()
{
    label_->setToolTip(QStringLiteral("クリックでゲームスタート"));
    const auto helpAt = [&](const QPoint& at) {
        QHelpEvent help(QEvent::ToolTip, at, client()->mapToGlobal(at));
        QCoreApplication::sendEvent(client(), &help);
    };
    helpAt(QPoint(10, 70));
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("クリックでゲームスタート"));
    helpAt(QPoint(5, 5));  // a control without a tip
    QTRY_VERIFY(QToolTip::text().isEmpty());
}

void FormClientTest::controlsAreDrawnBackToFront()
{
    QCOMPARE(pixel(QPoint(5, 5)), QColor(Qt::red));
    QCOMPARE(pixel(QPoint(20, 20)), QColor(Qt::blue));
    QCOMPARE(pixel(QPoint(90, 90)), QColor(Qt::white));
    front_->hide();
    QCOMPARE(pixel(QPoint(20, 20)), QColor(Qt::red));
}

void FormClientTest::newCaptionIsDrawn()
{
    label_->foreColor(Qt::black).autoSize();
    const QImage before = client()->grab().toImage();
    label_->setCaption(QStringLiteral("得点 12345"));
    const QImage after = client()->grab().toImage();
    QVERIFY(label_->width() > 40);
    QVERIFY(before.copy(label_->geometry()) != after.copy(label_->geometry()));
    QCOMPARE(after.pixelColor(label_->geometry().topRight()), QColor(Qt::green));
}

void FormClientTest::aChangeRepaintsOnlyItsControl()
{
    const QRegion painted = repaintedBy([&] { label_->setCaption(QStringLiteral("y")); });
    QCOMPARE(painted, QRegion(label_->geometry()));
}

void FormClientTest::aMoveRepaintsWhereItWasAndWhereItIs()
{
    const QRect was = front_->geometry();
    const QRegion painted = repaintedBy([&] { front_->move(QPoint(60, 20)); });
    QCOMPARE(painted, QRegion(was) + QRegion(front_->geometry()));
    QCOMPARE(pixel(QPoint(20, 20)), QColor(Qt::red));
    QCOMPARE(pixel(QPoint(70, 30)), QColor(Qt::blue));
}

void FormClientTest::changesPaintedBitByBitMatchAWholePaint()
{
    auto* line = new Line(client(), QStringLiteral("line"), 300, 0, 300, 1500, 1, Qt::black);
    for (int step = 0; step < 12; ++step) {
        front_->move(QPoint(4 * step, 3 * step));
        back_->setVisible(step % 3 != 0);
        line->setBorderColor(step % 2 ? QColor(Qt::red) : QColor(Qt::black));
        label_->setCaption(QString::number(step * 37));
        QCoreApplication::processEvents();  // paints only what changed
    }
    QBackingStore* store = form_->backingStore();
    QVERIFY(store && store->handle());
    const QRect onWindow(client()->mapTo(form_.get(), QPoint(0, 0)), client()->size());
    const QImage shown = store->handle()->toImage().copy(onWindow).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!shown.isNull());
    QCOMPARE(shown, client()->grab().toImage().convertToFormat(QImage::Format_RGB32));
}

void FormClientTest::aDeletedControlLeavesTheClient()
{
    delete front_;
    QCOMPARE(client()->graphics().size(), size_t(2));
    QCOMPARE(pixel(QPoint(20, 20)), QColor(Qt::red));
    QCOMPARE(client()->graphicAt(QPoint(40, 40)), nullptr);
}

QTEST_MAIN(FormClientTest)
#include "tst_form_client.moc"
