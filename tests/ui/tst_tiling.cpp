// Background tiling: how many tiles, where, and in which order.
#include "ui/TileBackground.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QTest>

#include <limits>

namespace {
struct RecordingWindow {
    QSize tile;
    QList<QPoint> corners;
    void PaintPicture(int, int x, int y, int w, int h)
    {
        QCOMPARE(QSize(w, h), tile);
        corners << QPoint(x, y);
    }
};
} // namespace

class TilingTest : public QObject {
    Q_OBJECT
private slots:
    void tilesRunColumnByColumnToBothEdges_data();
    void tilesRunColumnByColumnToBothEdges();
};

void TilingTest::tilesRunColumnByColumnToBothEdges_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QSize>("tile");
    QTest::addColumn<QList<QPoint>>("corners");
    constexpr int kMax = std::numeric_limits<int>::max();
    QTest::newRow("column by column") << QSize(1000, 1000) << QSize(750, 750)
                                      << QList<QPoint>{{0, 0}, {0, 750}, {750, 0}, {750, 750}};
    QTest::newRow("tiles on the edge") << QSize(1500, 750) << QSize(750, 750)
                                       << QList<QPoint>{{0, 0}, {0, 750}, {750, 0}, {750, 750}, {1500, 0}, {1500, 750}};
    QTest::newRow("wider than high") << QSize(600, 250) << QSize(300, 250)
                                     << QList<QPoint>{{0, 0}, {0, 250}, {300, 0}, {300, 250}, {600, 0}, {600, 250}};
    // A picture that failed to load has no size: nothing, rather than a hang.
    QTest::newRow("tile of no width") << QSize(100, 100) << QSize(0, 10) << QList<QPoint>{};
    QTest::newRow("tile of negative height") << QSize(100, 100) << QSize(10, -5) << QList<QPoint>{};
    // Columns at 0, max/2 and max-1; the next would overflow.
    QTest::newRow("integer range") << QSize(kMax, 0) << QSize(kMax / 2, 1)
                                   << QList<QPoint>{{0, 0}, {kMax / 2, 0}, {2 * (kMax / 2), 0}};
}

void TilingTest::tilesRunColumnByColumnToBothEdges()
{
    QFETCH(QSize, area);
    QFETCH(QSize, tile);
    RecordingWindow window{tile, {}};
    TileBackground(window, area.width(), area.height(), 0, tile.width(), tile.height());
    QTEST(window.corners, "corners");
}

QTEST_APPLESS_MAIN(TilingTest)
#include "tst_tiling.moc"
