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

    void fortyByteExample();
    void threeEmptyNamesAre38Bytes();
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

void ScoreFormatTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void ScoreFormatTest::joinPathGivesOneSeparator_data()
{
    QTest::addColumn<QByteArray>("dir");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QByteArray>("joined");
    QTest::newRow("directory") << QByteArray("C:\\Games") << '\\' << QByteArray("C:\\Games\\BIMZO.DAT");
    QTest::newRow("drive root") << QByteArray("C:\\") << '\\' << QByteArray("C:\\BIMZO.DAT");
    QTest::newRow("empty") << QByteArray() << '\\' << QByteArray("\\BIMZO.DAT");
    QTest::newRow("slash is not the separator") << QByteArray("C:/Games/") << '\\' << QByteArray("C:/Games/\\BIMZO.DAT");
    QTest::newRow("folder here") << QByteArray("/usr/games") << '/' << QByteArray("/usr/games/BIMZO.DAT");
    QTest::newRow("root here") << QByteArray("/") << '/' << QByteArray("/BIMZO.DAT");
}

void ScoreFormatTest::joinPathGivesOneSeparator()
{
    QFETCH(QByteArray, dir);
    QFETCH(char, separator);
    QFETCH(QByteArray, joined);
    QCOMPARE(JoinPath(dir, "BIMZO.DAT", separator), joined);
}

void ScoreFormatTest::fortyByteExample()
{
    ScoreTable t;
    t.entries[0].score = 250, t.entries[0].name = ScoreName::fromText("AB"), t.entries[0].hits = 12;
    t.entries[1].score = 100, t.entries[1].hits = 5;
    t.tag = 121, t.check = 1250;
    QVERIFY(SaveScoreTable(t, path()).ok());
    QCOMPARE(readBytes(path()), hex("FA000000 0200 4142 0C000000 64000000 0000 05000000 "
                                    "00000000 0000 00000000 79000000 E2040000"));
}

void ScoreFormatTest::threeEmptyNamesAre38Bytes()
{
    ScoreTable t;
    t.entries[0].score = -1, t.entries[2].hits = 0x7FFFFFFF;
    QVERIFY(SaveScoreTable(t, path()).ok());
    QCOMPARE(readBytes(path()), hex("FFFFFFFF 0000 00000000 00000000 0000 00000000 "
                                    "00000000 0000 FFFFFF7F 00000000 00000000"));
}

void ScoreFormatTest::maximumNameLengthRoundTrips()
{
    ScoreTable t;
    t.entries[2].name = ScoreName::fromText(QString(65535, QLatin1Char('x')));
    t.entries[2].hits = 3;
    QVERIFY(SaveScoreTable(t, path()).ok());
    const QByteArray bytes = readBytes(path());
    QCOMPARE(bytes.size(), 38 + 65535);
    QCOMPARE(bytes.mid(24, 2), hex("FFFF"));
    ScoreTable back;
    QVERIFY(LoadScoreTable(back, path()).ok());
    QCOMPARE(back, t);
}

void ScoreFormatTest::windowsFileLoadsWithTheSameNames()
{
    // Names as a Japanese Windows writes them: ソ ends in 0x5C, ～ is 0x8160.
    writeBytes(path(), RecordBuilder()
                           .num(900).name(hex("835C 5C 7E")).num(40)
                           .num(800).name(hex("8160 8161 817C")).num(30)
                           .num(700).name(hex("ED40 FA5C")).num(20)
                           .num(121).num(4500).bytes);
    ScoreTable t;
    const ScoreFileStatus s = LoadScoreTable(t, path());
    QVERIFY(s.ok());
    QVERIFY(!s.damaged);
    QCOMPARE(t.entries[0].name.text(), QString::fromUtf16(u"\u30BD\\~"));
    QCOMPARE(t.entries[1].name.text(), QString::fromUtf16(u"\uFF5E\u2225\uFF0D"));
    QCOMPARE(t.entries[2].name.text(), QString::fromUtf16(u"\u7E8A\u7E8A"));
    QCOMPARE(t.entries[2].score, 700);
    QCOMPARE(t.check, 4500);
}

void ScoreFormatTest::shorterSaveKeepsLengthAndTail()
{
    ScoreTable longer;
    longer.entries[0].name = ScoreName::fromText("LONGNAME"), longer.entries[1].name = ScoreName::fromText("SECOND");
    QVERIFY(SaveScoreTable(longer, path()).ok());
    const QByteArray before = readBytes(path());
    QCOMPARE(before.size(), 52);

    ScoreTable shorter;
    shorter.entries[0].score = 35, shorter.entries[0].name = ScoreName::fromText("AB"), shorter.tag = 121, shorter.check = 175;
    QVERIFY(SaveScoreTable(shorter, path()).ok());
    const QByteArray after = readBytes(path());
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after.mid(40), before.mid(40));
    QCOMPARE(after.left(40), *serializeScoreRecord(shorter));

    ScoreTable back;
    QVERIFY(LoadScoreTable(back, path()).ok());
    QCOMPARE(back, shorter);
}

void ScoreFormatTest::longerSaveReplacesTailAndGrows()
{
    const QByteArray old = *serializeScoreRecord(ScoreTable{}) + QByteArray("0123456789");
    writeBytes(path(), old);
    ScoreTable t;
    t.entries[0].name = ScoreName::fromText("ABCD");  // record 42 bytes: ends inside the old tail
    QVERIFY(SaveScoreTable(t, path()).ok());
    QCOMPARE(readBytes(path()), *serializeScoreRecord(t) + QByteArray("456789"));

    t.entries[1].name = ScoreName::fromText("EFGHIJKLMNOP");  // longer than the whole file
    QVERIFY(SaveScoreTable(t, path()).ok());
    QCOMPARE(readBytes(path()), *serializeScoreRecord(t));
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

void ScoreFormatTest::missingFileIsCreatedEmptyByLoad()
{
    ScoreTable t;
    t.entries[1].score = 40;
    const ScoreFileStatus s = LoadScoreTable(t, path());
    QVERIFY2(s.ok(), qPrintable(s.message));
    QVERIFY(QFileInfo(path()).isFile());
    QCOMPARE(QFileInfo(path()).size(), 0);
    QCOMPARE(t, ScoreTable{});
}

QTEST_GUILESS_MAIN(ScoreFormatTest)
#include "tst_scoreformat.moc"
