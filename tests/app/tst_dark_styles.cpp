// Under a dark style, the text the game puts on its own light colours still
// reads: WCAG contrast of at least 4.5 : 1, measured on the drawn pixels.
#include "tests/support/Child.h"
#include "tests/support/GameDriver.h"
#include "game/PlayField.h"
#include "ui/Caption.h"
#include "ui/TextBox.h"

#include <QApplication>
#include <QTest>

#include <cmath>
#include <functional>
#include <memory>

namespace {
constexpr double kReadable = 4.5;

// WCAG 2 relative luminance.
double luminance(QRgb rgb)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The highest contrast between a pixel of `area` on `widget` that `show`
// draws and the same pixel without it: that of the text's solid strokes
// against what lies under them. 0 if `show` draws nothing there.
double contrastOfDrawing(QWidget* widget, const QRect& area, const std::function<void(bool)>& show)
{
    show(false);
    const QImage without = widget->grab(area).toImage();
    show(true);
    const QImage with = widget->grab(area).toImage();
    double best = 0;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y))
                best = std::max(best, contrast(with.pixel(x, y), without.pixel(x, y)));
    return best;
}

double captionContrast(Caption* label)
{
    const QString caption = label->text();
    return contrastOfDrawing(label->parentWidget(), label->geometry(),
                             [&](bool shown) { label->setCaption(shown ? caption : QString()); });
}
} // namespace

class DarkStylesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void mainWindowPanelsAndFirstLaneLinesRead();
    void gameOverCaptionsAndTheTypedNameRead();

private:
    std::unique_ptr<GameDriver> driver_;
};

// Run under a dark style (see CMakeLists.txt); under a light one this test
// would prove nothing.
void DarkStylesTest::initTestCase()
{
    const QPalette palette = QApplication::palette();
    QVERIFY2(luminance(palette.color(QPalette::WindowText).rgb()) > luminance(palette.color(QPalette::Window).rgb()),
             "the style is not dark");
}

void DarkStylesTest::init()
{
    driver_ = std::make_unique<GameDriver>();
    QVERIFY(driver_->start());
}

void DarkStylesTest::cleanup()
{
    driver_.reset();
}

void DarkStylesTest::mainWindowPanelsAndFirstLaneLinesRead()
{
    bimzo* window = driver_->mainWindow();
    for (const char* name : {"Label3", "Label1"}) {
        const double measured = captionContrast(child<Caption>(window, QLatin1String(name)));
        QVERIFY2(measured >= kReadable, qPrintable(QStringLiteral("%1: %2").arg(name).arg(measured)));
    }
    FieldItem* lane = child<PlayField>(window, QStringLiteral("field"))->Line1[2];
    const double measured = contrastOfDrawing(lane->field(), lane->geometry(), [&](bool shown) { lane->setVisible(shown); });
    QVERIFY2(measured >= kReadable, qPrintable(QString::number(measured)));
}

void DarkStylesTest::gameOverCaptionsAndTheTypedNameRead()
{
    driver_->playAndEnd();
    GMEND* dialog = driver_->gameOver();
    TextBox* box = driver_->nameBox();
    QTest::keyClicks(box, QStringLiteral("Taro"));
    const double typed = contrastOfDrawing(box, box->rect(), [&](bool shown) { box->setText(shown ? "Taro" : ""); });
    QVERIFY2(typed >= kReadable, qPrintable(QStringLiteral("PNAME: %1").arg(typed)));
    for (const char* name : {"Label3", "Label4", "Label5"}) {
        const double measured = captionContrast(child<Caption>(dialog, QLatin1String(name)));
        QVERIFY2(measured >= kReadable, qPrintable(QStringLiteral("%1: %2").arg(name).arg(measured)));
    }
    QTest::keyClick(box, Qt::Key_Return);  // back to the buttons: "Score"
    const double score = captionContrast(child<Caption>(dialog, QStringLiteral("Label3")));
    QVERIFY2(score >= kReadable, qPrintable(QStringLiteral("Score: %1").arg(score)));
}

QTEST_MAIN(DarkStylesTest)
#include "tst_dark_styles.moc"
