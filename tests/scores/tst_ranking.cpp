// Placing a game into the top three, and RecordScore's stamping and saving.

#include "scores/ranking.h"
#include "tests/scores/testutil.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

ScoreTable Table(qint32 s1, qint32 s2, qint32 s3)
{
    ScoreTable t;
    t.score1 = s1, t.name1 = ScoreName::FromText("one"), t.hits1 = 1;
    t.score2 = s2, t.name2 = ScoreName::FromText("two"), t.hits2 = 2;
    t.score3 = s3, t.name3 = ScoreName::FromText("three"), t.hits3 = 3;
    return t;
}

} // namespace

class TestRanking : public QObject {
    Q_OBJECT
private slots:
    void equalScoreRanksBelow();
    void singlePrecisionScoreRanksAndStoresLikeInteger();
    void firstGameOnEmptyTable();
    void firstPlaceShiftsWholePlacesDown();
    void thirdPlaceKeepsCheckOfUnchangedFirst();
    void noPlaceStillStampsAndSaves();
    void movedNamesKeepTheirBytesOnDisk();
    void confirmingTheProposedNameKeepsItsBytes();
    void emptyNameTakesTwoBytes();

private:
    QTemporaryDir dir_;
};

void TestRanking::equalScoreRanksBelow()
{
    const RankOutcome r = RankScore(Table(300, 200, 100), 300, 9, "new");
    QCOMPARE(r.code, ScoreFileStatus::Code::Ok);
    QCOMPARE(r.place, ScorePlace::Second);
    QCOMPARE(r.table.score1, 300);
    QCOMPARE(r.table.score2, 300);
    QCOMPARE(r.table.score3, 200);
    QCOMPARE(r.table.name1.text(), QStringLiteral("one"));
    QCOMPARE(r.table.name2.text(), QStringLiteral("new"));
    QCOMPARE(r.table.name3.text(), QStringLiteral("two"));
    QCOMPARE(r.table.hits2, 9);
    QCOMPARE(r.table.hits3, 2);
    QCOMPARE(r.table.check, 1500);
}

void TestRanking::singlePrecisionScoreRanksAndStoresLikeInteger()
{
    const float asFloat = 305.0f;
    const qint16 asShort = 305;
    const RankOutcome f = RankScore(Table(300, 200, 100), asFloat, 7, "f");
    const RankOutcome s = RankScore(Table(300, 200, 100), asShort, 7, "f");
    QCOMPARE(f.place, ScorePlace::First);
    QCOMPARE(f.table.score1, 305);
    QCOMPARE(f.table, s.table);
    // Compared as a number before rounding: 300.5 still beats 300.
    QCOMPARE(PlaceFor(Table(300, 200, 100), 300.5), ScorePlace::First);
    QCOMPARE(PlaceFor(Table(300, 200, 100), 100.0), ScorePlace::None);
}

void TestRanking::firstGameOnEmptyTable()
{
    const RankOutcome r = RankScore(ScoreTable{}, 35, 4, QStringLiteral("初"));
    QCOMPARE(r.place, ScorePlace::First);
    ScoreTable expected;
    expected.score1 = 35, expected.name1 = ScoreName::FromText(QStringLiteral("初")), expected.hits1 = 4;
    expected.check = 175, expected.tag = 121;
    QCOMPARE(r.table, expected);
}

void TestRanking::firstPlaceShiftsWholePlacesDown()
{
    const RankOutcome r = RankScore(Table(300, 200, 100), 1000, 50, "top");
    QCOMPARE(r.place, ScorePlace::First);
    QCOMPARE((QList<qint32>{r.table.score1, r.table.score2, r.table.score3}), (QList<qint32>{1000, 300, 200}));
    QCOMPARE((QList<qint32>{r.table.hits1, r.table.hits2, r.table.hits3}), (QList<qint32>{50, 1, 2}));
    QCOMPARE((QStringList{r.table.name1.text(), r.table.name2.text(), r.table.name3.text()}),
             (QStringList{"top", "one", "two"}));
    QCOMPARE(r.table.check, 5000);
    QCOMPARE(r.table.tag, 121);
}

void TestRanking::thirdPlaceKeepsCheckOfUnchangedFirst()
{
    ScoreTable in = Table(300, 200, 100);
    in.check = 1, in.tag = 2;
    const RankOutcome r = RankScore(in, 150, 5, "mid");
    QCOMPARE(r.place, ScorePlace::Third);
    QCOMPARE(r.table.score3, 150);
    QCOMPARE(r.table.name3.text(), QStringLiteral("mid"));
    QCOMPARE(r.table.name2, in.name2);
    QCOMPARE(r.table.check, 1500);
}

void TestRanking::noPlaceStillStampsAndSaves()
{
    const QString path = dir_.filePath("noplace.dat");
    ScoreTable t = Table(300, 200, 100);
    QVERIFY(RecordScore(100, 1, "low", t, path).ok());
    ScoreTable expected = Table(300, 200, 100);
    expected.tag = 121, expected.check = 1500;
    QCOMPARE(t, expected);
    QCOMPARE(ReadBytes(path), *SerializeScoreRecord(expected));
}

void TestRanking::movedNamesKeepTheirBytesOnDisk()
{
    const QString path = dir_.filePath("moved.dat");
    // ED40 would be written back as FA5C if it were encoded again.
    const QByteArray old = RecordBuilder().num(300).name(Hex("ED40")).num(3)
                               .num(200).name(Hex("FA5C 8160")).num(2)
                               .num(100).name("dropped").num(1).num(121).num(1500).bytes;
    WriteBytes(path, old);
    ScoreTable t;
    QVERIFY(LoadScoreTable(t, path).ok());
    QVERIFY(RecordScore(500, 5, "new", t, path).ok());
    const QByteArray record = RecordBuilder().num(500).name("new").num(5)
                                  .num(300).name(Hex("ED40")).num(3)
                                  .num(200).name(Hex("FA5C 8160")).num(2)
                                  .num(121).num(2500).bytes;
    QCOMPARE(record.size(), old.size() - 4);
    QCOMPARE(ReadBytes(path), record + old.right(4));
}

void TestRanking::confirmingTheProposedNameKeepsItsBytes()
{
    ScoreTable t;
    t.score1 = 300, t.name1 = ScoreName::FromBytes(Hex("ED40"));
    t.score2 = 200, t.name2 = ScoreName::FromBytes(Hex("41 85 40"));  // damaged
    // Enter pressed on the proposed first-place name.
    RankOutcome r = RankScore(t, 400, 1, t.name1.text());
    QCOMPARE(r.table.name1.bytes(), Hex("ED40"));
    r = RankScore(t, 250, 1, t.name2.text());
    QCOMPARE(r.code, ScoreFileStatus::Code::Ok);
    QCOMPARE(r.table.name2.bytes(), Hex("41 85 40"));
    // The same character typed afresh is stored as Windows would store it.
    r = RankScore(ScoreTable{}, 5, 1, QString::fromUtf16(u"\u7E8A"));
    QCOMPARE(r.table.name1.bytes(), Hex("FA5C"));
}

void TestRanking::emptyNameTakesTwoBytes()
{
    const QString path = dir_.filePath("empty.dat");
    ScoreTable t;
    QVERIFY(RecordScore(35, 2, QString(), t, path).ok());
    QCOMPARE(ReadBytes(path), Hex("23000000 0000 02000000 00000000 0000 00000000 "
                                  "00000000 0000 00000000 79000000 AF000000"));
}

QTEST_GUILESS_MAIN(TestRanking)
#include "tst_ranking.moc"
