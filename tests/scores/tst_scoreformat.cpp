// BIMZO.DAT byte for byte: the record layout, path joining, and what a save keeps.

#include "scores/ScoreFile.h"
#include "scores/ScoreFormat.h"
#include "tests/scores/TestUtil.h"

#include <QTemporaryDir>
#include <QtTest>

class ScoreFormatTest : public QObject {
    Q_OBJECT
private slots:
    void init();

    void joinPathGivesOneSeparator_data();
    void joinPathGivesOneSeparator();

    void recordIsWrittenByteForByte_data();
    void recordIsWrittenByteForByte();

    void saveKeepsTheOldTailPastTheRecord_data();
    void saveKeepsTheOldTailPastTheRecord();
    void loadThenSaveReproducesAllButTagAndCheck();

private:
    QString path() const { return dir_->filePath(QStringLiteral("BIMZO.DAT")); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void ScoreFormatTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void ScoreFormatTest::joinPathGivesOneSeparator_data()
{
    QTest::addColumn<QByteArray>("dir");
    QTest::addColumn<QByteArray>("joined");
    QTest::newRow("folder") << QByteArray("/usr/games") << QByteArray("/usr/games/BIMZO.DAT");
    QTest::newRow("folder with its slash") << QByteArray("/usr/games/") << QByteArray("/usr/games/BIMZO.DAT");
    QTest::newRow("root") << QByteArray("/") << QByteArray("/BIMZO.DAT");
    QTest::newRow("empty") << QByteArray() << QByteArray("/BIMZO.DAT");
}

void ScoreFormatTest::joinPathGivesOneSeparator()
{
    QFETCH(QByteArray, dir);
    QFETCH(QByteArray, joined);
    QCOMPARE(JoinPath(dir, "BIMZO.DAT"), joined);
}

namespace {

ScoreTable named(const char* first, const char* second = "")
{
    ScoreTable t;
    t.entries[0].name = ScoreName::fromText(first), t.entries[1].name = ScoreName::fromText(second);
    return t;
}

} // namespace

void ScoreFormatTest::recordIsWrittenByteForByte_data()
{
    QTest::addColumn<ScoreTable>("table");
    QTest::addColumn<QByteArray>("bytes");
    ScoreTable forty;
    forty.entries[0].score = 250, forty.entries[0].name = ScoreName::fromText("AB"), forty.entries[0].hits = 12;
    forty.entries[1].score = 100, forty.entries[1].hits = 5;
    forty.tag = 121, forty.check = 1250;
    QTest::newRow("40 bytes") << forty << hex("FA000000 0200 4142 0C000000 64000000 0000 05000000 "
                                              "00000000 0000 00000000 79000000 E2040000");
    ScoreTable empty;
    empty.entries[0].score = -1, empty.entries[2].hits = 0x7FFFFFFF;
    QTest::newRow("three empty names") << empty << hex("FFFFFFFF 0000 00000000 00000000 0000 00000000 "
                                                       "00000000 0000 FFFFFF7F 00000000 00000000");
    ScoreTable longest;
    longest.entries[2].name = ScoreName::fromText(QString(kMaxNameBytes, QLatin1Char('x')));
    QTest::newRow("longest name") << longest << RecordBuilder().num(0).name({}).num(0).num(0).name({}).num(0)
                                                    .num(0).len(0xFFFF).raw(QByteArray(kMaxNameBytes, 'x'))
                                                    .num(0).num(0).num(0).bytes;
}

void ScoreFormatTest::recordIsWrittenByteForByte()
{
    QFETCH(ScoreTable, table);
    QVERIFY(SaveScoreTable(table, path()).ok());
    QTEST(readBytes(path()), "bytes");
}

void ScoreFormatTest::saveKeepsTheOldTailPastTheRecord_data()
{
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<ScoreTable>("table");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray longer = *serializeScoreRecord(named("LONGNAME", "SECOND"));  // 52 bytes
    ScoreTable shorter = named("AB");
    shorter.entries[0].score = 35, shorter.tag = 121, shorter.check = 175;
    QTest::newRow("shorter keeps length and tail") << longer << shorter << *serializeScoreRecord(shorter) + longer.mid(40);
    const QByteArray tail = *serializeScoreRecord(ScoreTable{}) + QByteArray("0123456789");
    QTest::newRow("longer ends in the tail") << tail << named("ABCD") << *serializeScoreRecord(named("ABCD")) + "456789";
    const ScoreTable longest = named("ABCD", "EFGHIJKLMNOP");
    QTest::newRow("longer than the file") << tail << longest << *serializeScoreRecord(longest);
}

void ScoreFormatTest::saveKeepsTheOldTailPastTheRecord()
{
    QFETCH(QByteArray, old);
    QFETCH(ScoreTable, table);
    writeBytes(path(), old);
    QVERIFY(SaveScoreTable(table, path()).ok());
    QTEST(readBytes(path()), "bytes");
}

void ScoreFormatTest::loadThenSaveReproducesAllButTagAndCheck()
{
    // Bytes a re-encoding would change: ED40 (saved again as FA5C) and an invalid pair.
    const QByteArray file = RecordBuilder()
                                .num(-5).name(hex("ED40 41")).num(0x12345678)
                                .num(0).name(hex("8540 82")).num(-1)
                                .num(0x7FFFFFFF).name({}).num(2)
                                .num(-77).num(99)
                                .raw("stale tail")
                                .bytes;
    writeBytes(path(), file);
    ScoreTable t;
    QVERIFY(LoadScoreTable(t, path()).ok());
    t.tag = 121, t.check = -25;
    QVERIFY(SaveScoreTable(t, path()).ok());
    const QByteArray after = readBytes(path());
    const qsizetype tagAt = file.size() - 10 - 8;
    QCOMPARE(after.size(), file.size());
    QCOMPARE(after.left(tagAt), file.left(tagAt));
    QCOMPARE(after.mid(tagAt, 8), hex("79000000 E7FFFFFF"));
    QCOMPARE(after.mid(tagAt + 8), QByteArray("stale tail"));
}

QTEST_GUILESS_MAIN(ScoreFormatTest)
#include "tst_scoreformat.moc"
