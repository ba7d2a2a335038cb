// BIMZO.DAT byte for byte: the record layout, path joining, and what a save keeps.

#include "scores/scorefile.h"
#include "tests/scores/testutil.h"

#include <QTemporaryDir>
#include <QtTest>

class TestScoreFormat : public QObject {
    Q_OBJECT
private slots:
    void init();

    void joinPathWithBackslash_data();
    void joinPathWithBackslash();
    void joinPathOnThisPlatform();

    void fortyByteExample();
    void threeEmptyNamesAre38Bytes();
    void fourFullWidthCharactersHaveLength8();
    void maximumNameLengthRoundTrips();
    void windowsFileLoadsWithTheSameNames();

    void shorterSaveKeepsLengthAndTail();
    void longerSaveReplacesTailAndGrows();
    void loadThenSaveReproducesAllButTagAndCheck();

    void missingFileIsCreatedEmptyByLoad();

private:
    QString path() const { return dir_->filePath(QStringLiteral("BIMZO.DAT")); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestScoreFormat::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestScoreFormat::joinPathWithBackslash_data()
{
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("joined");
    QTest::newRow("directory") << "C:\\Games" << "C:\\Games\\BIMZO.DAT";
    QTest::newRow("drive root") << "C:\\" << "C:\\BIMZO.DAT";
    QTest::newRow("empty") << "" << "\\BIMZO.DAT";
    QTest::newRow("slash is not the separator") << "C:/Games/" << "C:/Games/\\BIMZO.DAT";
}

void TestScoreFormat::joinPathWithBackslash()
{
    QFETCH(QString, dir);
    QFETCH(QString, joined);
    QCOMPARE(JoinPath(dir, QStringLiteral("BIMZO.DAT"), QLatin1Char('\\')), joined);
}

void TestScoreFormat::joinPathOnThisPlatform()
{
    QCOMPARE(JoinPath("/usr/games", "BIMZO.DAT"), QStringLiteral("/usr/games/BIMZO.DAT"));
    QCOMPARE(JoinPath("/", "BIMZO.DAT"), QStringLiteral("/BIMZO.DAT"));
    QCOMPARE(JoinPath("", "BIMZO.DAT"), QStringLiteral("/BIMZO.DAT"));
}

void TestScoreFormat::fortyByteExample()
{
    ScoreTable t;
    t.score1 = 250, t.name1 = ScoreName::FromText("AB"), t.hits1 = 12;
    t.score2 = 100, t.hits2 = 5;
    t.tag = 121, t.check = 1250;
    QVERIFY(SaveScoreTable(t, path()).ok());
    QCOMPARE(ReadBytes(path()), Hex("FA000000 0200 4142 0C000000 64000000 0000 05000000 "
                                    "00000000 0000 00000000 79000000 E2040000"));
}

void TestScoreFormat::threeEmptyNamesAre38Bytes()
{
    ScoreTable t;
    t.score1 = -1, t.hits3 = 0x7FFFFFFF;
    QVERIFY(SaveScoreTable(t, path()).ok());
    QCOMPARE(ReadBytes(path()), Hex("FFFFFFFF 0000 00000000 00000000 0000 00000000 "
                                    "00000000 0000 FFFFFF7F 00000000 00000000"));
}

void TestScoreFormat::fourFullWidthCharactersHaveLength8()
{
    ScoreTable t;
    t.name2 = ScoreName::FromText(QStringLiteral("山田太郎"));
    QVERIFY(SaveScoreTable(t, path()).ok());
    const QByteArray bytes = ReadBytes(path());
    QCOMPARE(bytes.size(), 46);
    QCOMPARE(bytes.mid(14, 10), Hex("0800 8E52 9363 91BE 9859"));
}

void TestScoreFormat::maximumNameLengthRoundTrips()
{
    ScoreTable t;
    t.name3 = ScoreName::FromText(QString(65535, QLatin1Char('x')));
    t.hits3 = 3;
    QVERIFY(SaveScoreTable(t, path()).ok());
    const QByteArray bytes = ReadBytes(path());
    QCOMPARE(bytes.size(), 38 + 65535);
    QCOMPARE(bytes.mid(24, 2), Hex("FFFF"));
    ScoreTable back;
    QVERIFY(LoadScoreTable(back, path()).ok());
    QCOMPARE(back, t);
}

void TestScoreFormat::windowsFileLoadsWithTheSameNames()
{
    // Names as a Japanese Windows writes them: ソ ends in 0x5C, ～ is 0x8160.
    WriteBytes(path(), RecordBuilder()
                           .num(900).name(Hex("835C 5C 7E")).num(40)
                           .num(800).name(Hex("8160 8161 817C")).num(30)
                           .num(700).name(Hex("ED40 FA5C")).num(20)
                           .num(121).num(4500).bytes);
    ScoreTable t;
    const ScoreFileStatus s = LoadScoreTable(t, path());
    QVERIFY(s.ok());
    QVERIFY(!s.damaged);
    QCOMPARE(t.name1.text(), QString::fromUtf16(u"\u30BD\\~"));
    QCOMPARE(t.name2.text(), QString::fromUtf16(u"\uFF5E\u2225\uFF0D"));
    QCOMPARE(t.name3.text(), QString::fromUtf16(u"\u7E8A\u7E8A"));
    QCOMPARE(t.score3, 700);
    QCOMPARE(t.check, 4500);
}

void TestScoreFormat::shorterSaveKeepsLengthAndTail()
{
    ScoreTable longer;
    longer.name1 = ScoreName::FromText("LONGNAME"), longer.name2 = ScoreName::FromText("SECOND");
    QVERIFY(SaveScoreTable(longer, path()).ok());
    const QByteArray before = ReadBytes(path());
    QCOMPARE(before.size(), 52);

    ScoreTable shorter;
    shorter.score1 = 35, shorter.name1 = ScoreName::FromText("AB"), shorter.tag = 121, shorter.check = 175;
    QVERIFY(SaveScoreTable(shorter, path()).ok());
    const QByteArray after = ReadBytes(path());
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after.mid(40), before.mid(40));
    QCOMPARE(after.left(40), *SerializeScoreRecord(shorter));

    ScoreTable back;
    QVERIFY(LoadScoreTable(back, path()).ok());
    QCOMPARE(back, shorter);
}

void TestScoreFormat::longerSaveReplacesTailAndGrows()
{
    const QByteArray old = *SerializeScoreRecord(ScoreTable{}) + QByteArray("0123456789");
    WriteBytes(path(), old);
    ScoreTable t;
    t.name1 = ScoreName::FromText("ABCD");  // record 42 bytes: ends inside the old tail
    QVERIFY(SaveScoreTable(t, path()).ok());
    QCOMPARE(ReadBytes(path()), *SerializeScoreRecord(t) + QByteArray("456789"));

    t.name2 = ScoreName::FromText("EFGHIJKLMNOP");  // longer than the whole file
    QVERIFY(SaveScoreTable(t, path()).ok());
    QCOMPARE(ReadBytes(path()), *SerializeScoreRecord(t));
}

void TestScoreFormat::loadThenSaveReproducesAllButTagAndCheck()
{
    // Bytes a re-encoding would change: ED40 (saved again as FA5C) and an invalid pair.
    const QByteArray file = RecordBuilder()
                                .num(-5).name(Hex("ED40 41")).num(0x12345678)
                                .num(0).name(Hex("8540 82")).num(-1)
                                .num(0x7FFFFFFF).name({}).num(2)
                                .num(-77).num(99)
                                .raw("stale tail")
                                .bytes;
    WriteBytes(path(), file);
    ScoreTable t;
    QVERIFY(LoadScoreTable(t, path()).ok());
    t.tag = 121, t.check = -25;
    QVERIFY(SaveScoreTable(t, path()).ok());
    const QByteArray after = ReadBytes(path());
    const qsizetype tagAt = file.size() - 10 - 8;
    QCOMPARE(after.size(), file.size());
    QCOMPARE(after.left(tagAt), file.left(tagAt));
    QCOMPARE(after.mid(tagAt, 8), Hex("79000000 E7FFFFFF"));
    QCOMPARE(after.mid(tagAt + 8), QByteArray("stale tail"));
}

void TestScoreFormat::missingFileIsCreatedEmptyByLoad()
{
    ScoreTable t;
    t.score2 = 40;
    const ScoreFileStatus s = LoadScoreTable(t, path());
    QVERIFY2(s.ok(), qPrintable(s.message));
    QVERIFY(QFileInfo(path()).isFile());
    QCOMPARE(QFileInfo(path()).size(), 0);
    QCOMPARE(t, ScoreTable{});
}

QTEST_GUILESS_MAIN(TestScoreFormat)
#include "tst_scoreformat.moc"
