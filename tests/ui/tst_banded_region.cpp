// A region built band by band in one pass is the region Qt builds by adding
// the rectangles one at a time: the same pixels, in the same bands.
#include "ui/BandedRegion.h"

#include <QTest>

#include <random>
#include <vector>

namespace {
QRegion addedOneByOne(const std::vector<QRect>& rects)
{
    QRegion region;
    for (const QRect& r : rects)
        region += r;
    return region;
}
} // namespace

class BandedRegionTest : public QObject {
    Q_OBJECT
private slots:
    void unionIsQtsRegion_data();
    void unionIsQtsRegion();
    void randomRectanglesGiveQtsRegion();
};

void BandedRegionTest::unionIsQtsRegion_data()
{
    QTest::addColumn<std::vector<QRect>>("rects");
    QTest::newRow("none") << std::vector<QRect>{};
    QTest::newRow("one") << std::vector<QRect>{{3, 4, 5, 6}};
    QTest::newRow("an empty one among others") << std::vector<QRect>{{0, 0, 0, 0}, {3, 4, 5, 6}, {10, 10, 0, 5}};
    QTest::newRow("side by side, touching") << std::vector<QRect>{{0, 0, 4, 4}, {4, 0, 4, 4}};
    QTest::newRow("one above the other, touching") << std::vector<QRect>{{0, 0, 4, 4}, {0, 4, 4, 4}};
    QTest::newRow("overlapping") << std::vector<QRect>{{0, 0, 10, 10}, {5, 5, 10, 10}};
    QTest::newRow("one inside another") << std::vector<QRect>{{0, 0, 10, 10}, {2, 2, 3, 3}};
    // A tick of the play field: lane lines through targets, shooters below.
    QTest::newRow("lanes") << std::vector<QRect>{{32, 40, 1, 345}, {17, 38, 30, 24}, {16, 398, 32, 24},
                                                  {80, 40, 1, 345}, {65, 90, 30, 30}, {64, 398, 32, 24}};
}

void BandedRegionTest::unionIsQtsRegion()
{
    QFETCH(std::vector<QRect>, rects);
    QCOMPARE(bandedUnion(rects), addedOneByOne(rects));
}

void BandedRegionTest::randomRectanglesGiveQtsRegion()
{
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> position(0, 60), size(0, 30), count(1, 25);
    for (int round = 0; round < 2000; ++round) {
        std::vector<QRect> rects(static_cast<size_t>(count(random)));
        for (QRect& r : rects)
            r = QRect(position(random), position(random), size(random), size(random));
        QCOMPARE(bandedUnion(rects), addedOneByOne(rects));
    }
}

QTEST_GUILESS_MAIN(BandedRegionTest)
#include "tst_banded_region.moc"
