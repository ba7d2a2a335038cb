// Where the table lives, and how a file beside a read-only executable is used.

#include "scores/RecordScore.h"
#include "scores/ScoreFile.h"
#include "tests/scores/TestUtil.h"
#include "BuildInfo.h"

#include <QTemporaryDir>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QtTest>

class ScoreLocationTest : public QObject {
    Q_OBJECT
private slots:
    void tableIsBesideAWritableGameOrInTheDataFolder_data();
    void tableIsBesideAWritableGameOrInTheDataFolder();
    void legacyFileIsReadUntilTheFirstSave();
    void missingFileIsCreatedEmptyByLoad_data();
    void missingFileIsCreatedEmptyByLoad();
    void folderNotUtf8IsFoundByItsBytes();
    void folderNameDamagedByDecodingIsReported();
    void homeUnsetIsThePlayersHomeShownInFull();

private:
    QTemporaryDir dir_;
};

void ScoreLocationTest::tableIsBesideAWritableGameOrInTheDataFolder_data()
{
    QTest::addColumn<QString>("exe");     // the executable's folder, made unless "gone"
    QTest::addColumn<bool>("installed");  // with a desktop entry in ../share/applications
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("legacy");
    QTest::newRow("beside a writable executable") << "w" << false << "w/BIMZO.DAT" << "";
    QTest::newRow("executable folder missing") << "gone" << false << "data/BIMZO.DAT" << "gone/BIMZO.DAT";
    // The layout of `cmake --install`: root may write games/, but scores stay out of it.
    QTest::newRow("installed copy") << "usr/games" << true << "data/BIMZO.DAT" << "usr/games/BIMZO.DAT";
}

void ScoreLocationTest::tableIsBesideAWritableGameOrInTheDataFolder()
{
    QFETCH(QString, exe);
    QFETCH(bool, installed);
    QFETCH(QString, file);
    QFETCH(QString, legacy);
    QTemporaryDir dir;
    QVERIFY(exe == "gone" || QDir(dir.path()).mkpath(exe));
    if (installed) {
        QVERIFY(QDir(dir.path()).mkpath("usr/share/applications"));
        writeBytes(dir.filePath("usr/share/applications/" BIMZO_APP_ID ".desktop"), "[Desktop Entry]\n");
    }
    const ScoreFileLocation where = locateScoreFile(dir.filePath(exe), dir.filePath("data"));
    QCOMPARE(where.path, dir.filePath(file));
    QCOMPARE(where.legacyPath, legacy.isEmpty() ? QString() : dir.filePath(legacy));
    QVERIFY(!QFileInfo::exists(dir.filePath("data")));  // made only by the first save
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

void ScoreLocationTest::missingFileIsCreatedEmptyByLoad_data()
{
    QTest::addColumn<QString>("legacy");
    QTest::newRow("no file beside the game") << QString();
    QTest::newRow("none there either") << QStringLiteral("exe/BIMZO.DAT");
}

void ScoreLocationTest::missingFileIsCreatedEmptyByLoad()
{
    QFETCH(QString, legacy);
    QTemporaryDir dir;
    const ScoreFileLocation where(dir.filePath("BIMZO.DAT"), legacy.isEmpty() ? legacy : dir.filePath(legacy));
    ScoreTable t;
    t.entries[1].score = 40;
    QVERIFY(LoadScoreTable(t, where).ok());
    QCOMPARE(t, ScoreTable{});
    QCOMPARE(readBytes(where.path), QByteArray());
}

void ScoreLocationTest::folderNotUtf8IsFoundByItsBytes()
{
    // The game in a folder named in Latin-1 ("spiele-ä" as one byte, 0xE4),
    // with its table beside it.
    writeBytes(dir_.filePath("table"), RecordBuilder().num(300).name("OLD").num(3).num(0).name({}).num(0)
                                           .num(0).name({}).num(0).num(121).num(1500).bytes);
    QProcess game;
    game.setWorkingDirectory(dir_.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", dir_.filePath("data"));
    game.setProcessEnvironment(env);
    game.start("sh", {"-c", "d=$(printf 'spiele-\\344') && mkdir \"$d\" && cp \"$1\" \"$d/\" && cp table \"$d/BIMZO.DAT\" "
                             "&& exec \"$d/score_file_tool\" loadself",
                      "sh", QStringLiteral(SCORE_FILE_TOOL)});
    QVERIFY(game.waitForFinished(30000));
    const QString out = QString::fromUtf8(game.readAllStandardOutput());
    QCOMPARE(game.exitCode(), 0);
    QVERIFY2(out.contains(QStringLiteral("/spiele-\\xe4/BIMZO.DAT\n")), qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("table 300 0 0")), qPrintable(out));
    QVERIFY(!QFileInfo::exists(dir_.filePath("data")));
    QProcess::execute("sh", {"-c", "cd \"$1\" && rm -r \"$(printf 'spiele-\\344')\"", "sh", dir_.path()});
}

void ScoreLocationTest::folderNameDamagedByDecodingIsReported()
{
    // What the folder's name becomes once decoded: the byte is lost, and the
    // table cannot be reached by that name. The player must hear of it.
    const QByteArray folder = QFile::encodeName(dir_.path()) + "/archiv-\xe4";
    QVERIFY(QDir().mkpath(dir_.filePath("d")));
    QVERIFY(::mkdir(folder.constData(), 0755) == 0);
    const QString decoded = QFile::decodeName(folder);
    QVERIFY(decoded.contains(QChar::ReplacementCharacter));

    const ScoreFileLocation where = locateScoreFile(decoded, dir_.filePath("d"));
    ScoreTable t;
    const ScoreFileStatus s = LoadScoreTable(t, where);
    QVERIFY2(!s.ok(), "a new table started without a word");
    QVERIFY2(s.message.contains(QStringLiteral("archiv-")), qPrintable(s.message));
    QVERIFY2(s.message.contains(dir_.filePath("d/BIMZO.DAT")), qPrintable(s.message));
    QCOMPARE(t, ScoreTable{});
    // Said once: a score is still recorded, and from then on that table loads in silence.
    const ScoreFileStatus recorded = RecordScore(500, 5, "NEW", t, where);
    QVERIFY2(recorded.ok(), qPrintable(recorded.message));
    QVERIFY(LoadScoreTable(t, where).ok());
    QCOMPARE(t.entries[0].score, 500);
    ::rmdir(folder.constData());  // QTemporaryDir cannot name it
}

void ScoreLocationTest::homeUnsetIsThePlayersHomeShownInFull()
{
    const QByteArray home = qgetenv("HOME");
    const QByteArray xdg = qgetenv("XDG_DATA_HOME");
    qunsetenv("HOME");
    qunsetenv("XDG_DATA_HOME");
    const QByteArray folder = scoreDataFolder();
    const QString shown = shownPath(folder + "/BIMZO.DAT");
    qputenv("HOME", home);
    if (!xdg.isEmpty())
        qputenv("XDG_DATA_HOME", xdg);

    const passwd* pw = ::getpwuid(::getuid());
    QVERIFY(pw);
    QCOMPARE(folder, QByteArray(pw->pw_dir) + "/.local/share/bimzo");
    // "~" would name whatever HOME says, not the folder used.
    QCOMPARE(shown, QFile::decodeName(folder) + QStringLiteral("/BIMZO.DAT"));
}

QTEST_GUILESS_MAIN(ScoreLocationTest)
#include "tst_scorelocation.moc"
