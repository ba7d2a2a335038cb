// Placing a game into the top three, and RecordScore's stamping and saving.

#include "scores/Ranking.h"
#include "scores/RecordScore.h"
#include "scores/ScoreFile.h"
#include "scores/ScoreFormat.h"
#include "tests/scores/TestUtil.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

ScoreTable Table(qint32 s1, qint32 s2, qint32 s3)
{
    ScoreTable t;
    t.entries = {{{s1, ScoreName::fromText("one"), 1},
                  {s2, ScoreName::fromText("two"), 2},
                  {s3, ScoreName::fromText("three"), 3}}};
    return t;
}

} // namespace

Q_DECLARE_METATYPE(ScoreTable)
Q_DECLARE_METATYPE(ScorePlace)

class RankingTest : public QObject {
    Q_OBJECT
private slots:
    void scoreTakesItsPlaceAndStampsTheTable_data();
    void scoreTakesItsPlaceAndStampsTheTable();
    void singlePrecisionScoreRanksAndStoresLikeInteger();
    void noPlaceStillStampsAndSaves();
    void movedNamesKeepTheirBytesOnDisk();
    void confirmingTheProposedNameKeepsItsBytes();

private:
    QTemporaryDir dir_;
};

void RankingTest::scoreTakesItsPlaceAndStampsTheTable_data()
{
    // Into a table with a stale check and tag; the check is always the new
    // first place's score times 5.
    QTest::addColumn<ScoreTable>("table");
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("hits");
    QTest::addColumn<QString>("name");
    QTest::addColumn<ScorePlace>("place");
    QTest::addColumn<QList<qint32>>("scores");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<qint32>>("hitCounts");
    QTest::addColumn<qint32>("check");
    const ScoreTable full = Table(300, 200, 100);
    QTest::newRow("first game") << ScoreTable{} << 35 << 4 << QStringLiteral("初") << ScorePlace::First
                                << QList<qint32>{35, 0, 0} << QStringList{"初", "", ""} << QList<qint32>{4, 0, 0}
                                << 175;
    QTest::newRow("first place shifts whole places") << full << 1000 << 50 << "top" << ScorePlace::First
                                << QList<qint32>{1000, 300, 200} << QStringList{"top", "one", "two"}
                                << QList<qint32>{50, 1, 2} << 5000;
    QTest::newRow("equal score ranks below") << full << 300 << 9 << "new" << ScorePlace::Second
                                << QList<qint32>{300, 300, 200} << QStringList{"one", "new", "two"}
                                << QList<qint32>{1, 9, 2} << 1500;
    QTest::newRow("third place") << full << 150 << 5 << "mid" << ScorePlace::Third
                                << QList<qint32>{300, 200, 150} << QStringList{"one", "two", "mid"}
                                << QList<qint32>{1, 2, 5} << 1500;
}

void RankingTest::scoreTakesItsPlaceAndStampsTheTable()
{
    QFETCH(ScoreTable, table);
    QFETCH(int, score);
    QFETCH(int, hits);
    QFETCH(QString, name);
    table.check = 1, table.tag = 2;
    const RankOutcome r = rankScore(table, score, hits, name);
    QCOMPARE(r.code, ScoreFileStatus::Code::Ok);
    QTEST(r.place, "place");
    QTEST(scoresOf(r.table), "scores");
    QTEST(namesOf(r.table), "names");
    QTEST(hitsOf(r.table), "hitCounts");
    QTEST(r.table.check, "check");
    QCOMPARE(r.table.tag, 121);
}

void RankingTest::singlePrecisionScoreRanksAndStoresLikeInteger()
{
    const qint16 asShort = 305;
    const RankOutcome s = rankScore(Table(300, 200, 100), asShort, 7, "f");
    QCOMPARE(s.place, ScorePlace::First);
    QCOMPARE(s.table.entries[0].score, 305);
    QCOMPARE(rankScore(Table(300, 200, 100), 305.0f, 7, "f").table, s.table);

    // Past 16 bits: a single-precision score is not held as a 16-bit one.
    const RankOutcome big = rankScore(Table(40000, 200, 100), 40005.0f, 7, "f");
    QCOMPARE(big.place, ScorePlace::First);
    QCOMPARE(big.table.entries[0].score, 40005);

    // 16777221 and 16777219 both read as 16777220 in single precision; the
    // stored numbers are compared exactly, so the score sits between them.
    const RankOutcome wide = rankScore(Table(16777221, 16777219, 5), 16777220.0f, 7, "f");
    QCOMPARE(wide.place, ScorePlace::Second);
    QCOMPARE(wide.table.entries[1].score, 16777220);
    QCOMPARE(wide.table.entries[2].score, 16777219);

    // Compared as a number before rounding: 300.5 still beats 300.
    QCOMPARE(placeFor(Table(300, 200, 100), 300.5), ScorePlace::First);
    QCOMPARE(placeFor(Table(300, 200, 100), 100.0), ScorePlace::None);
}

void RankingTest::noPlaceStillStampsAndSaves()
{
    const QString path = dir_.filePath("noplace.dat");
    ScoreTable t = Table(300, 200, 100);
    QVERIFY(RecordScore(100, 1, "low", t, path).ok());
    ScoreTable expected = Table(300, 200, 100);
    expected.tag = 121, expected.check = 1500;
    QCOMPARE(t, expected);
    QCOMPARE(readBytes(path), *serializeScoreRecord(expected));
}

void RankingTest::movedNamesKeepTheirBytesOnDisk()
{
    const QString path = dir_.filePath("moved.dat");
    // ED40 would be written back as FA5C if it were encoded again.
    const QByteArray old = RecordBuilder().num(300).name(hex("ED40")).num(3)
                               .num(200).name(hex("FA5C 8160")).num(2)
                               .num(100).name("dropped").num(1).num(121).num(1500).bytes;
    writeBytes(path, old);
    ScoreTable t;
    QVERIFY(LoadScoreTable(t, path).ok());
    QVERIFY(RecordScore(500, 5, "new", t, path).ok());
    const QByteArray record = RecordBuilder().num(500).name("new").num(5)
                                  .num(300).name(hex("ED40")).num(3)
                                  .num(200).name(hex("FA5C 8160")).num(2)
                                  .num(121).num(2500).bytes;
    QCOMPARE(record.size(), old.size() - 4);
    QCOMPARE(readBytes(path), record + old.right(4));
}

void RankingTest::confirmingTheProposedNameKeepsItsBytes()
{
    ScoreTable t;
    t.entries[0].score = 300, t.entries[0].name = ScoreName::fromBytes(hex("ED40"));
    t.entries[1].score = 200, t.entries[1].name = ScoreName::fromBytes(hex("41 85 40"));  // damaged
    // Enter pressed on the proposed first-place name.
    RankOutcome r = rankScore(t, 400, 1, t.entries[0].name.text());
    QCOMPARE(r.table.entries[0].name.bytes(), hex("ED40"));
    r = rankScore(t, 250, 1, t.entries[1].name.text());
    QCOMPARE(r.code, ScoreFileStatus::Code::Ok);
    QCOMPARE(r.table.entries[1].name.bytes(), hex("41 85 40"));
    // The same character typed afresh is stored as Windows would store it.
    r = rankScore(ScoreTable{}, 5, 1, QString::fromUtf16(u"\u7E8A"));
    QCOMPARE(r.table.entries[0].name.bytes(), hex("FA5C"));
}

QTEST_GUILESS_MAIN(RankingTest)
#include "tst_ranking.moc"
