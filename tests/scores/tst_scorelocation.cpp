// Where the table lives, and how a file beside a read-only executable is used.

#include "scores/ScoreFile.h"
#include "tests/scores/TestUtil.h"
#include "BuildInfo.h"

#include <QTemporaryDir>
#include <QtTest>

class ScoreLocationTest : public QObject {
    Q_OBJECT
private slots:
    void besideAWritableExecutable();
    void dataDirectoryWhenExecutableDirectoryUnusable();
    void installedCopyUsesDataDirectoryEvenWhenBinIsWritable();
    void legacyFileIsReadUntilTheFirstSave();
    void noLegacyFileMeansEmptyTableCreatedInDataDirectory();

private:
    QTemporaryDir dir_;
};

void ScoreLocationTest::besideAWritableExecutable()
{
    const ScoreFileLocation where = locateScoreFile(dir_.path(), dir_.filePath("data"));
    QCOMPARE(where.path, dir_.filePath("BIMZO.DAT"));
    QVERIFY(where.legacyPath.isEmpty());
    QVERIFY(!QFileInfo::exists(dir_.filePath("data")));
}

void ScoreLocationTest::dataDirectoryWhenExecutableDirectoryUnusable()
{
    // A missing directory cannot take the file either.
    const QString exe = dir_.filePath("gone");
    const ScoreFileLocation where = locateScoreFile(exe, dir_.filePath("d1/d2"));
    QCOMPARE(where.path, dir_.filePath("d1/d2/BIMZO.DAT"));
    QCOMPARE(where.legacyPath, exe + "/BIMZO.DAT");
    QVERIFY(QFileInfo(dir_.filePath("d1/d2")).isDir());
}

void ScoreLocationTest::installedCopyUsesDataDirectoryEvenWhenBinIsWritable()
{
    // The layout of `cmake --install`: root may write games/, but scores stay out of it.
    QVERIFY(QDir(dir_.path()).mkpath("usr/games"));
    QVERIFY(QDir(dir_.path()).mkpath("usr/share/applications"));
    writeBytes(dir_.filePath("usr/share/applications/" BIMZO_APP_ID ".desktop"), "[Desktop Entry]\n");
    QVERIFY(QFileInfo(dir_.filePath("usr/games")).isWritable());
    const ScoreFileLocation where = locateScoreFile(dir_.filePath("usr/games"), dir_.filePath("home/data"));
    QCOMPARE(where.path, dir_.filePath("home/data/BIMZO.DAT"));
    QCOMPARE(where.legacyPath, dir_.filePath("usr/games/BIMZO.DAT"));
}

void ScoreLocationTest::legacyFileIsReadUntilTheFirstSave()
{
    QVERIFY(QDir(dir_.path()).mkpath("l/exe"));
    QVERIFY(QDir(dir_.path()).mkpath("l/data"));
    const QString legacy = dir_.filePath("l/exe/BIMZO.DAT");
    const QByteArray old = RecordBuilder().num(300).name("OLD").num(3).num(0).name({}).num(0)
                               .num(0).name({}).num(0).num(121).num(1500).raw("tail").bytes;
    writeBytes(legacy, old);
    const ScoreFileLocation where(dir_.filePath("l/data/BIMZO.DAT"), legacy);

    ScoreTable t;
    QVERIFY(LoadScoreTable(t, where).ok());
    QCOMPARE(t.entries[0].score, 300);
    QCOMPARE(t.entries[0].name.text(), QStringLiteral("OLD"));
    QVERIFY(!QFileInfo::exists(where.path));  // viewing creates nothing

    t.entries[0].score = 310;
    QVERIFY(SaveScoreTable(t, where).ok());
    QCOMPARE(readBytes(where.path), RecordBuilder().num(310).raw(old.mid(4)).bytes);
    QCOMPARE(readBytes(legacy), old);  // never written

    // From now on the data directory's file is the table.
    writeBytes(where.path, RecordBuilder().num(5).bytes);
    QVERIFY(LoadScoreTable(t, where).ok());
    QCOMPARE(t.entries[0].score, 5);
    QVERIFY(t.entries[0].name.isEmpty());
}

void ScoreLocationTest::noLegacyFileMeansEmptyTableCreatedInDataDirectory()
{
    QVERIFY(QDir(dir_.path()).mkpath("n/data"));
    const ScoreFileLocation where(dir_.filePath("n/data/BIMZO.DAT"), dir_.filePath("n/exe/BIMZO.DAT"));
    ScoreTable t;
    t.entries[0].score = 9;
    QVERIFY(LoadScoreTable(t, where).ok());
    QCOMPARE(t, ScoreTable{});
    QVERIFY(QFileInfo(where.path).isFile());
}

QTEST_GUILESS_MAIN(ScoreLocationTest)
#include "tst_scorelocation.moc"
