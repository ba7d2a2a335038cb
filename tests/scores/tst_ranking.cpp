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

Q_DECLARE_METATYPE(ScorePlace)

class RankingTest : public QObject {
    Q_OBJECT
private slots:
    void scoreTakesItsPlaceAndStampsTheTable_data();
    void scoreTakesItsPlaceAndStampsTheTable();
    void noPlaceStillStampsAndSaves();
    void confirmingTheProposedNameKeepsItsBytes();

private:
    QTemporaryDir dir_;
};

void RankingTest::scoreTakesItsPlaceAndStampsTheTable_data()
{
    // Into a table with a stale check and tag; the check is always the new
    // first place's score times 5.
    QTest::addColumn<ScoreTable>("table");
    QTest::addColumn<double>("score");  // a 16-bit or single-precision score: exact either way
    QTest::addColumn<int>("hits");
    QTest::addColumn<QString>("name");
    QTest::addColumn<ScorePlace>("place");
    QTest::addColumn<QList<qint32>>("scores");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<qint32>>("hitCounts");
    QTest::addColumn<qint32>("check");
    const ScoreTable full = Table(300, 200, 100);
    QTest::newRow("first game") << ScoreTable{} << 35.0 << 4 << QStringLiteral("初") << ScorePlace::First
                                << QList<qint32>{35, 0, 0} << QStringList{"初", "", ""} << QList<qint32>{4, 0, 0}
                                << 175;
    QTest::newRow("first place shifts whole places") << full << 1000.0 << 50 << "top" << ScorePlace::First
                                << QList<qint32>{1000, 300, 200} << QStringList{"top", "one", "two"}
                                << QList<qint32>{50, 1, 2} << 5000;
    QTest::newRow("equal score ranks below") << full << 300.0 << 9 << "new" << ScorePlace::Second
                                << QList<qint32>{300, 300, 200} << QStringList{"one", "new", "two"}
                                << QList<qint32>{1, 9, 2} << 1500;
    QTest::newRow("third place") << full << 150.0 << 5 << "mid" << ScorePlace::Third
                                << QList<qint32>{300, 200, 150} << QStringList{"one", "two", "mid"}
                                << QList<qint32>{1, 2, 5} << 1500;
    QTest::newRow("equal to third takes no place") << full << 100.0 << 5 << "low" << ScorePlace::None
                                << QList<qint32>{300, 200, 100} << QStringList{"one", "two", "three"}
                                << QList<qint32>{1, 2, 3} << 1500;
    // Compared before rounding, then stored rounded half to even.
    QTest::newRow("300.5 beats 300") << full << 300.5 << 7 << "f" << ScorePlace::First
                                << QList<qint32>{300, 300, 200} << QStringList{"f", "one", "two"}
                                << QList<qint32>{7, 1, 2} << 1500;
    QTest::newRow("past 16 bits") << Table(40000, 200, 100) << 40005.0 << 7 << "f" << ScorePlace::First
                                << QList<qint32>{40005, 40000, 200} << QStringList{"f", "one", "two"}
                                << QList<qint32>{7, 1, 2} << 200025;
    // 16777221 and 16777219 both read as 16777220 in single precision; the
    // stored numbers are compared exactly, so the score sits between them.
    QTest::newRow("stored scores not rounded to float") << Table(16777221, 16777219, 5) << double(16777220.0f) << 7
                                << "f" << ScorePlace::Second << QList<qint32>{16777221, 16777220, 16777219}
                                << QStringList{"one", "f", "two"} << QList<qint32>{1, 7, 2} << 83886105;
}

void RankingTest::scoreTakesItsPlaceAndStampsTheTable()
{
    QFETCH(ScoreTable, table);
    QFETCH(double, score);
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
