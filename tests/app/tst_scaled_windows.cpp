// The three windows at the scale factor of QT_SCALE_FACTOR, one that puts
// tile edges between device pixels.
#include "tests/support/GameDriver.h"
#include "tests/support/Tiles.h"
#include "ui/Pictures.h"

#include <QTest>

class ScaledWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void tilesMeetEdgeToEdgeAndFillTheClientArea();
};

void ScaledWindowsTest::tilesMeetEdgeToEdgeAndFillTheClientArea()
{
    const qreal scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
    QVERIFY2(scale > 1 && qFuzzyCompare(qApp->devicePixelRatio(), scale), "needs QT_SCALE_FACTOR above 1");
    GameDriver driver;
    QVERIFY(driver.start());
    driver.mainWindow()->him_Click();
    driver.playAndEnd();
    const QImage sky = pictures::read(QStringLiteral("tile_sky"));
    const QImage lavender = pictures::read(QStringLiteral("tile_lavender"));
    const std::pair<Form*, const QImage*> windows[] = {
        {driver.mainWindow(), &sky}, {driver.gameOver(), &lavender}, {driver.highScores(), &lavender}};
    for (const auto& [window, picture] : windows) {
        QCOMPARE(window->client()->grab().size(), window->client()->size() * scale);  // each side rounded
        const QString stray = strayPixel(*window, *picture);
        QVERIFY2(stray.isEmpty(), qPrintable(window->objectName() + QLatin1Char(' ') + stray));
    }
}

QTEST_MAIN(ScaledWindowsTest)
#include "tst_scaled_windows.moc"
