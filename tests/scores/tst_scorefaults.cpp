// Files that cannot be read or written, saves cut short, and tables that must
// not be written: each reports an error, and the file keeps its bytes.

#include "scores/Ranking.h"
#include "scores/RecordScore.h"
#include "scores/ScoreFile.h"
#include "scores/ScoreFormat.h"
#include "tests/scores/TestUtil.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using Code = ScoreFileStatus::Code;

namespace {

ScoreTable SampleTable()
{
    ScoreTable t;
    t.entries = {{{300, ScoreName::fromText("AAA"), 30},
                  {200, ScoreName::fromText(QStringLiteral("ソ")), 20},
                  {100, ScoreName(), 10}}};
    t.tag = 121, t.check = 1500;
    return t;
}

QString StatusLine(Code c)
{
    return QStringLiteral("status %1\n").arg(static_cast<int>(c));
}

} // namespace

class ScoreFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void directoryNamedLikeTheFile();
    void fifoNamedLikeTheFileDoesNotBlock();
    void unwritableDirectory();
    void unreadableFile();
    void readOnlyFile();

    void diskFullLeavesTheOldFile();
    void fullFileSystemLeavesTheOldFile();
    void fileSizeLimitIsAWriteErrorNotASignal();
    void killedSaveLeavesOldOrNewNeverAMix();
    void fileVanishedAfterLoadIsWrittenAgainWhole();

    void checkOverflowIsRefused_data();
    void checkOverflowIsRefused();
    void nameOver65535BytesIsRefused();
    void nameWithoutCp932FormIsRefused();

private:
    // A directory another user can enter, for the tests run without root's rights.
    QString sharedDir();
    ToolResult runUnprivileged(const QStringList& args);

    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
};

void ScoreFaultsTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    path_ = dir_->filePath(QStringLiteral("BIMZO.DAT"));
}

void ScoreFaultsTest::cleanup()
{
    // Give everything back to us so the temporary directory can be removed.
    const QString cmd = QStringLiteral("chmod -R u+rwx '%1'").arg(dir_->path());
    QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), cmd});
    dir_.reset();
}

QString ScoreFaultsTest::sharedDir()
{
    ::chmod(QFile::encodeName(dir_->path()).constData(), 0777);
    return dir_->path();
}

ToolResult ScoreFaultsTest::runUnprivileged(const QStringList& args)
{
    return runTool(QStringList{QStringLiteral("--drop-root")} + args);
}

void ScoreFaultsTest::directoryNamedLikeTheFile()
{
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("BIMZO.DAT")));
    ScoreTable t = SampleTable();
    const ScoreTable before = t;

    ScoreFileStatus s = LoadScoreTable(t, path_);
    QCOMPARE(s.code, Code::NotAFile);
    QVERIFY2(s.message.contains(QDir::toNativeSeparators(path_)), qPrintable(s.message));
    s = SaveScoreTable(t, path_);
    QCOMPARE(s.code, Code::NotAFile);
    s = RecordScore(500, 1, "X", t, path_);
    QCOMPARE(s.code, Code::NotAFile);

    QCOMPARE(t, before);
    QVERIFY(QFileInfo(path_).isDir());
    QVERIFY(QDir(path_).isEmpty());
}

void ScoreFaultsTest::fifoNamedLikeTheFileDoesNotBlock()
{
    QCOMPARE(::mkfifo(QFile::encodeName(path_).constData(), 0644), 0);
    ScoreTable t = SampleTable();
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(LoadScoreTable(t, path_).code, Code::NotAFile);
    QCOMPARE(RecordScore(500, 1, "X", t, path_).code, Code::NotAFile);
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(t, SampleTable());
}

void ScoreFaultsTest::unwritableDirectory()
{
    const QString dir = sharedDir() + QStringLiteral("/game");
    QVERIFY(QDir().mkdir(dir));
    const QString file = dir + QStringLiteral("/BIMZO.DAT");
    QVERIFY(SaveScoreTable(SampleTable(), file).ok());
    const QByteArray before = readBytes(file);
    // Only the directory stands in the way: the file itself may be written.
    ::chmod(QFile::encodeName(file).constData(), 0666);
    ::chmod(QFile::encodeName(dir).constData(), 0555);

    const ToolResult r = runUnprivileged({"record", file, "999", "9", "NEW"});
    if (r.exitCode == 3)
        QSKIP("cannot switch to an unprivileged user to make the directory unwritable");
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.output.startsWith(StatusLine(Code::OpenFailed)), qPrintable(r.output));
    QVERIFY(r.output.contains(file));
    QVERIFY(r.output.contains(QStringLiteral("table 7 6 5")));  // the table in memory untouched
    QCOMPARE(readBytes(file), before);
    QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{"BIMZO.DAT"});

    // An installed game keeps its table in the data directory instead.
    const ToolResult where = runUnprivileged({"locate", dir, sharedDir() + "/data"});
    QVERIFY2(where.output.contains("path " + sharedDir() + "/data/BIMZO.DAT\n"), qPrintable(where.output));
    QVERIFY(where.output.contains("legacy " + file + "\n"));
    QVERIFY(QFileInfo(sharedDir() + "/data").isDir());
}

void ScoreFaultsTest::unreadableFile()
{
    const QString file = sharedDir() + QStringLiteral("/BIMZO.DAT");
    QVERIFY(SaveScoreTable(SampleTable(), file).ok());
    const QByteArray before = readBytes(file);
    ::chmod(QFile::encodeName(file).constData(), 0);

    ToolResult r = runUnprivileged({"load", file});
    if (r.exitCode == 3)
        QSKIP("cannot switch to an unprivileged user to make the file unreadable");
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.output.startsWith(StatusLine(Code::OpenFailed)), qPrintable(r.output));
    QVERIFY(r.output.contains(file));
    QVERIFY(r.output.contains(QStringLiteral("table 7 6 5")));

    r = runUnprivileged({"record", file, "999", "9", "NEW"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.output.contains(QStringLiteral("table 7 6 5")));
    ::chmod(QFile::encodeName(file).constData(), 0644);
    QCOMPARE(readBytes(file), before);
}

void ScoreFaultsTest::readOnlyFile()
{
    const QString file = sharedDir() + QStringLiteral("/BIMZO.DAT");
    QVERIFY(SaveScoreTable(SampleTable(), file).ok());
    const QByteArray before = readBytes(file);
    ::chmod(QFile::encodeName(file).constData(), 0444);

    ToolResult r = runUnprivileged({"load", file});
    if (r.exitCode == 3)
        QSKIP("cannot switch to an unprivileged user to make the file read-only");
    QCOMPARE(r.exitCode, 0);  // reading it is fine
    QVERIFY(r.output.contains(QStringLiteral("table 300 200 100")));
    r = runUnprivileged({"record", file, "999", "9", "NEW"});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.output.startsWith(StatusLine(Code::OpenFailed)), qPrintable(r.output));
    QCOMPARE(readBytes(file), before);
}

void ScoreFaultsTest::diskFullLeavesTheOldFile()
{
    // A file size limit makes writes fail like a full disk (EFBIG instead of ENOSPC).
    writeBytes(path_, *serializeScoreRecord(SampleTable()) + QByteArray(4000, 'T'));
    const QByteArray before = readBytes(path_);

    rlimit saved{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    ScoreTable t = SampleTable();
    const ScoreFileStatus s = RecordScore(999, 9, "NEW", t, path_);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(s.code, Code::WriteFailed);
    QVERIFY(s.message.contains(QDir::toNativeSeparators(path_)));
    QVERIFY2(s.message.contains(QStringLiteral("ファイルサイズの上限")), qPrintable(s.message));
    QVERIFY2(!s.message.contains(QStringLiteral("canceled")), qPrintable(s.message));
    QCOMPARE(t, SampleTable());
    QCOMPARE(readBytes(path_), before);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"BIMZO.DAT"});
}

void ScoreFaultsTest::fullFileSystemLeavesTheOldFile()
{
    // A small file system of its own, filled up; needs the right to mount.
    const QString mnt = dir_->filePath(QStringLiteral("small"));
    QVERIFY(QDir().mkdir(mnt));
    if (QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=64k", "tmpfs", mnt}) != 0)
        QSKIP("cannot mount a small tmpfs here");
    struct Unmount {
        QString at;
        ~Unmount() { QProcess::execute(QStringLiteral("umount"), {at}); }
    } unmount{mnt};
    const QString file = mnt + QStringLiteral("/BIMZO.DAT");
    writeBytes(file, *serializeScoreRecord(SampleTable()) + QByteArray(20000, 'T'));
    const QByteArray before = readBytes(file);
    // Fill every page, then give back `free` of them.
    QStringList pads;
    for (int i = 0;; ++i) {
        QFile pad(mnt + QStringLiteral("/pad%1").arg(i));
        QVERIFY(pad.open(QIODevice::WriteOnly));
        pads << pad.fileName();
        if (pad.write(QByteArray(4096, 'p')) != 4096 || !pad.flush())
            break;
        QVERIFY(i < 100);
    }

    // Full: not even the lock fits. Two pages: the lock and part of the copy fit.
    for (const int free : {0, 2}) {
        for (int i = 0; i < free; ++i)
            QVERIFY(QFile::remove(pads.takeFirst()));
        ScoreTable t = SampleTable();
        QElapsedTimer timer;
        timer.start();
        const ScoreFileStatus s = RecordScore(999, 9, "NEW", t, file);
        QCOMPARE(s.code, Code::WriteFailed);
        QVERIFY(timer.elapsed() < kScoreLockWaitMs);  // no waiting for a lock nobody holds
        QVERIFY2(s.message.contains(QStringLiteral("空き容量")), qPrintable(s.message));
        QVERIFY(s.message.contains(file));
        QCOMPARE(t, SampleTable());
        QCOMPARE(readBytes(file), before);
        const QStringList left = QDir(mnt).entryList(QDir::Files | QDir::Hidden);
        QVERIFY2(left.filter(QStringLiteral("BIMZO")) == QStringList{"BIMZO.DAT"}, qPrintable(left.join(' ')));
    }
}

void ScoreFaultsTest::fileSizeLimitIsAWriteErrorNotASignal()
{
    // A game started under `ulimit -f 1`: the default for SIGXFSZ ends the process.
    writeBytes(path_, *serializeScoreRecord(SampleTable()) + QByteArray(4000, 'T'));
    const QByteArray before = readBytes(path_);
    QProcess game;
    game.setChildProcessModifier([] {
        const rlimit small{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &small);
        std::signal(SIGXFSZ, SIG_DFL);
    });
    game.start(QStringLiteral(SCORE_FILE_TOOL), {"record", path_, "999", "9", "NEW"});
    QVERIFY(game.waitForFinished(30000));
    const QString out = QString::fromUtf8(game.readAllStandardOutput());
    QVERIFY2(game.exitStatus() == QProcess::NormalExit, "ended by a signal");
    QCOMPARE(game.exitCode(), 1);
    QVERIFY2(out.startsWith(StatusLine(Code::WriteFailed)), qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("得点は記録されませんでした")), qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("ファイルサイズの上限")), qPrintable(out));
    QVERIFY(out.contains(QStringLiteral("table 7 6 5")));
    QCOMPARE(readBytes(path_), before);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"BIMZO.DAT"});
}

void ScoreFaultsTest::killedSaveLeavesOldOrNewNeverAMix()
{
    // The helper saves two tables of equal size in turn; kill it anywhere.
    ScoreTable a, b;
    a.entries[0].score = 111, a.entries[0].name = ScoreName::fromText("AAAA");
    b.entries[0].score = 222, b.entries[0].name = ScoreName::fromText("BBBB");
    const QByteArray bytesA = *serializeScoreRecord(a) + QByteArray(5000, 'z');
    const QByteArray bytesB = *serializeScoreRecord(b) + QByteArray(5000, 'z');
    writeBytes(path_, bytesA);

    int sawB = 0;
    for (int round = 0; round < 200; ++round) {
        QProcess p;
        p.start(QStringLiteral(SCORE_FILE_TOOL), {"saveloop", path_});
        QVERIFY(p.waitForReadyRead(10000));
        QTest::qSleep(QRandomGenerator::global()->bounded(2, 25));
        p.kill();
        QVERIFY(p.waitForFinished(10000));
        const QByteArray now = readBytes(path_);
        QVERIFY2(now == bytesA || now == bytesB, qPrintable(QString("round %1: %2 bytes").arg(round).arg(now.size())));
        sawB += now == bytesB;
    }
    QVERIFY(sawB > 0);  // the saves did run
}

void ScoreFaultsTest::fileVanishedAfterLoadIsWrittenAgainWhole()
{
    QVERIFY(SaveScoreTable(SampleTable(), path_).ok());
    ScoreTable t;
    QVERIFY(LoadScoreTable(t, path_).ok());
    QVERIFY(QFile::remove(path_));  // deleted while the game-over dialog is open

    const ScoreFileStatus s = RecordScore(250, 25, "NEW", t, path_);
    QVERIFY2(s.ok(), qPrintable(s.message));
    ScoreTable onDisk;
    QVERIFY(LoadScoreTable(onDisk, path_).ok());
    QCOMPARE(onDisk, t);
    QCOMPARE(onDisk.entries[0].score, 300);
    QCOMPARE(onDisk.entries[1].score, 250);
    QCOMPARE(onDisk.entries[1].name.text(), QStringLiteral("NEW"));
    QCOMPARE(onDisk.entries[2].score, 200);
    QCOMPARE(onDisk.entries[2].name.text(), QStringLiteral("ソ"));
}

void ScoreFaultsTest::checkOverflowIsRefused_data()
{
    QTest::addColumn<qint32>("score1");
    QTest::addColumn<double>("score");  // a game that does not take place 1
    QTest::addColumn<bool>("refused");
    QTest::newRow("largest that fits") << qint32(429496729) << 35.0 << false;
    QTest::newRow("one above") << qint32(429496730) << 35.0 << true;
    QTest::newRow("smallest that fits") << qint32(-429496729) << -2e9 << false;
    QTest::newRow("one below") << qint32(-429496730) << -2e9 << true;
}

void ScoreFaultsTest::checkOverflowIsRefused()
{
    QFETCH(qint32, score1);
    QFETCH(double, score);
    QFETCH(bool, refused);
    // Only a file written by other means holds such a first place.
    writeBytes(path_, RecordBuilder().num(score1).name("X").num(1).num(0).name({}).num(0)
                          .num(-1000000000).name({}).num(0).num(0).num(0).bytes);
    const QByteArray before = readBytes(path_);
    ScoreTable t;
    QVERIFY(LoadScoreTable(t, path_).ok());
    const ScoreTable loaded = t;

    const ScoreFileStatus s = RecordScore(score, 1, "Y", t, path_);
    QVERIFY(placeFor(loaded, score) != ScorePlace::First);
    if (refused) {
        QCOMPARE(s.code, Code::CheckOverflow);
        QVERIFY(s.message.contains(QDir::toNativeSeparators(path_)));
        QCOMPARE(t, loaded);
        QCOMPARE(readBytes(path_), before);
    } else {
        QVERIFY2(s.ok(), qPrintable(s.message));
        QCOMPARE(t.check, score1 * 5);
    }
}

void ScoreFaultsTest::nameOver65535BytesIsRefused()
{
    writeBytes(path_, *serializeScoreRecord(SampleTable()));
    const QByteArray before = readBytes(path_);
    ScoreTable t = SampleTable();
    // 32768 double-byte characters: 65536 bytes, one too many for the 2-byte length.
    const ScoreFileStatus s = RecordScore(500, 1, QString(32768, QChar(0x3042)), t, path_);
    QCOMPARE(s.code, Code::NameTooLong);
    QCOMPARE(t, SampleTable());
    QCOMPARE(readBytes(path_), before);

    ScoreTable direct = SampleTable();
    direct.entries[1].name = ScoreName::fromText(QString(65536, QLatin1Char('x')));
    QCOMPARE(SaveScoreTable(direct, path_).code, Code::NameTooLong);
    QCOMPARE(readBytes(path_), before);
}

void ScoreFaultsTest::nameWithoutCp932FormIsRefused()
{
    writeBytes(path_, *serializeScoreRecord(SampleTable()));
    const QByteArray before = readBytes(path_);
    ScoreTable t = SampleTable();
    const ScoreFileStatus s = RecordScore(500, 1, QString::fromUtf16(u"A\U0001F600"), t, path_);
    QCOMPARE(s.code, Code::NameNotStorable);
    QVERIFY(!s.message.isEmpty());
    QCOMPARE(t, SampleTable());
    QCOMPARE(readBytes(path_), before);
}

QTEST_GUILESS_MAIN(ScoreFaultsTest)
#include "tst_scorefaults.moc"
