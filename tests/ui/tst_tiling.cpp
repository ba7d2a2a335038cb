// Background tiling: how many tiles, where, and in which order.
#include "ui/TileBackground.h"

#include <QTest>

#include <limits>
#include <vector>

namespace {
struct Call {
    int x, y, w, h;
    bool operator==(const Call&) const = default;
};

struct RecordingWindow {
    std::vector<Call> calls;
    void PaintPicture(int, int x, int y, int w, int h) { calls.push_back({x, y, w, h}); }
};

std::vector<Call> tile(int areaW, int areaH, int tileW, int tileH)
{
    RecordingWindow window;
    TileBackground(window, areaW, areaH, 0, tileW, tileH);
    return window.calls;
}
} // namespace

class TilingTest : public QObject {
    Q_OBJECT
private slots:
    void emptyAreaGetsOneTile();
    void areaSmallerThanATileGetsOneTile();
    void tilesRunColumnByColumn();
    void tilesOnTheEdgeArePaintedToo();
    void countFollowsTheFormula_data();
    void countFollowsTheFormula();
    void nonPositiveTilesPaintNothing();
    void hugeAreaStopsAtTheIntegerRange();
};

void TilingTest::emptyAreaGetsOneTile()
{
    QCOMPARE(tile(0, 0, 750, 750), (std::vector<Call>{{0, 0, 750, 750}}));
}

void TilingTest::areaSmallerThanATileGetsOneTile()
{
    QCOMPARE(tile(100, 100, 750, 750), (std::vector<Call>{{0, 0, 750, 750}}));
}

void TilingTest::tilesRunColumnByColumn()
{
    const std::vector<Call> expected{{0, 0, 750, 750}, {0, 750, 750, 750}, {750, 0, 750, 750}, {750, 750, 750, 750}};
    QCOMPARE(tile(1000, 1000, 750, 750), expected);
}

void TilingTest::tilesOnTheEdgeArePaintedToo()
{
    const auto calls = tile(1500, 1500, 750, 750);
    QCOMPARE(calls.size(), size_t(9));
    QCOMPARE(calls[2], (Call{0, 1500, 750, 750}));
    QCOMPARE(calls.back(), (Call{1500, 1500, 750, 750}));
}

void TilingTest::countFollowsTheFormula_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("tw");
    QTest::addColumn<int>("th");
    QTest::newRow("example") << 900 << 800 << 300 << 250;
    QTest::newRow("main window") << 3840 << 6330 << 795 << 795;
    QTest::newRow("game over") << 4380 << 1425 << 315 << 435;
    QTest::newRow("high scores") << 2520 << 1545 << 315 << 435;
}

void TilingTest::countFollowsTheFormula()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, tw);
    QFETCH(int, th);
    const auto calls = tile(w, h, tw, th);
    QCOMPARE(int(calls.size()), (w / tw + 1) * (h / th + 1));
    for (const Call& c : calls) {
        QCOMPARE(c.x % tw, 0);
        QCOMPARE(c.y % th, 0);
        QVERIFY(c.x <= w && c.y <= h);
    }
}

void TilingTest::nonPositiveTilesPaintNothing()
{
    QVERIFY(tile(100, 100, 0, 10).empty());
    QVERIFY(tile(100, 100, 10, -5).empty());
}

void TilingTest::hugeAreaStopsAtTheIntegerRange()
{
    constexpr int kMax = std::numeric_limits<int>::max();
    const auto calls = tile(kMax, 0, kMax / 2, 1);
    // Columns at 0, max/2 and max-1; the next would overflow.
    QCOMPARE(calls.size(), size_t(3));
    QCOMPARE(calls.back().x, 2 * (kMax / 2));
}

QTEST_APPLESS_MAIN(TilingTest)
#include "tst_tiling.moc"
