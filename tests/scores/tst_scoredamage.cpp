// Damaged files: they load to defined values, never outside the data, and a
// load never changes them.

#include "scores/RecordScore.h"
#include "scores/ScoreFile.h"
#include "scores/ScoreFormat.h"
#include "tests/scores/TestUtil.h"

#include <QTemporaryDir>
#include <QtTest>

class ScoreDamageTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void truncatedAtEveryByte();
    void onlyWhatFitsIsRead_data();
    void onlyWhatFitsIsRead();
    void movedNamesKeepTheirBytes();

private:
    QString path() const { return dir_->filePath(QStringLiteral("BIMZO.DAT")); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void ScoreDamageTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void ScoreDamageTest::truncatedAtEveryByte()
{
    ScoreTable full;
    full.entries = {{{0x01020304, ScoreName::fromText("AB"), 11},
                     {0x05060708, ScoreName::fromText(QStringLiteral("山")), 22},
                     {0x090A0B0C, ScoreName::fromText("XYZ"), 33}}};
    full.tag = 121, full.check = 77;
    const QByteArray whole = *serializeScoreRecord(full);

    // Where each field ends; a cut before that end leaves it and all after it empty.
    const int ends[] = {4, 8, 12, 16, 20, 24, 28, 33, 37, 41, 45};
    QCOMPARE(whole.size(), ends[10]);

    for (int cut = 0; cut < whole.size(); ++cut) {
        const QByteArray bytes = whole.left(cut);
        writeBytes(path(), bytes);
        ScoreTable t;
        t.entries[0].score = t.entries[2].hits = t.check = -9;  // must not survive the load
        const ScoreFileStatus s = LoadScoreTable(t, path());
        QVERIFY2(s.ok(), qPrintable(QString("cut %1: %2").arg(cut).arg(s.message)));
        QCOMPARE(s.damaged, cut > 0);
        QCOMPARE(readBytes(path()), bytes);

        auto have = [&](int field) { return cut >= ends[field]; };
        for (int i = 0; i < kScorePlaces; ++i) {
            const ScoreEntry& e = full.entries[i];
            QCOMPARE(t.entries[i].score, have(3 * i) ? e.score : 0);
            QCOMPARE(t.entries[i].name, have(3 * i + 1) ? e.name : ScoreName());
            QCOMPARE(t.entries[i].hits, have(3 * i + 2) ? e.hits : 0);
        }
        QCOMPARE(t.tag, have(9) ? full.tag : 0);
        QCOMPARE(t.check, 0);
    }
}

void ScoreDamageTest::onlyWhatFitsIsRead_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("score1");
    QTest::addColumn<QString>("name1");
    QTest::addColumn<int>("score2");
    QTest::addColumn<bool>("damaged");
    QTest::newRow("first name 65535 long")
        << RecordBuilder().num(500).len(0xFFFF).raw("ABC").num(1).num(2).bytes << 500 << QString() << 0 << true;
    QTest::newRow("one byte short")
        << RecordBuilder().num(500).len(4).raw("ABC").bytes << 500 << QString() << 0 << true;
    QTest::newRow("second name runs past")
        << RecordBuilder().num(500).name("A").num(1).num(400).len(300).raw(QByteArray(299, 'x')).bytes
        << 500 << QStringLiteral("A") << 400 << true;
    // What a save keeps of such a tail: tst_scorefaults.
    QTest::newRow("20 MB past a whole record")
        << RecordBuilder().num(500).name("A").num(1).num(0).name({}).num(0).num(0).name({}).num(0).num(0).num(0)
               .raw(QByteArray(20 * 1024 * 1024, '\xAB')).bytes
        << 500 << QStringLiteral("A") << 0 << false;
}

void ScoreDamageTest::onlyWhatFitsIsRead()
{
    QFETCH(QByteArray, file);
    QFETCH(int, score1);
    QFETCH(QString, name1);
    QFETCH(int, score2);
    writeBytes(path(), file);
    ScoreTable t;
    const ScoreFileStatus s = LoadScoreTable(t, path());
    QVERIFY(s.ok());
    QTEST(s.damaged, "damaged");
    QCOMPARE(t.entries[0].score, score1);
    QCOMPARE(t.entries[0].name.text(), name1);
    QCOMPARE(t.entries[1].score, score2);
    QVERIFY(t.entries[1].name.isEmpty());
    QCOMPARE(t.entries[2].score, 0);
    QCOMPARE(readBytes(path()), file);
}

void ScoreDamageTest::movedNamesKeepTheirBytes()
{
    // Invalid bytes, and ED40, which a new encoding would write as FA5C.
    const QByteArray bad = hex("41 8540 82");
    const QByteArray file = RecordBuilder().num(300).name(bad).num(3)
                                .num(200).name(hex("ED40")).num(2).num(100).name("C").num(1)
                                .num(121).num(1500).bytes;
    writeBytes(path(), file);
    ScoreTable t;
    const ScoreFileStatus s = LoadScoreTable(t, path());
    QVERIFY(s.ok());
    QVERIFY(s.damaged);
    QCOMPARE(t.entries[0].name.text(), QString::fromUtf16(u"A\uFFFD@\uFFFD"));
    QVERIFY(!t.entries[0].name.isClean());

    // Moved down by a new first place, the names are written back byte for byte.
    QVERIFY(RecordScore(400, 4, "D", t, path()).ok());
    QCOMPARE(readBytes(path()), RecordBuilder().num(400).name("D").num(4)
                                    .num(300).name(bad).num(3).num(200).name(hex("ED40")).num(2)
                                    .num(121).num(2000).bytes);
}

QTEST_GUILESS_MAIN(ScoreDamageTest)
#include "tst_scoredamage.moc"
