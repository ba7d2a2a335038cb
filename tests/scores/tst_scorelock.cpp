// Two copies of the game recording into one file: the lock beside it, the
// fresh read before ranking, and locks that are left behind or cannot be had
// (what else may lie at the lock's name: tst_scorefaults).

#include "scores/RecordScore.h"
#include "scores/ScoreFile.h"
#include "tests/scores/TestUtil.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

using Code = ScoreFileStatus::Code;

class ScoreLockTest : public QObject {
    Q_OBJECT
private slots:
    void init();

    void twoCopiesRecordingInTurnKeepBothEntries();
    void twoCopiesRecordingAtOnceKeepTheBestThree();
    void lockOfAKilledCopyDoesNotBlock();
    void lockThatCannotBeHadIsAnErrorAndChangesNothing();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
};

void ScoreLockTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    path_ = dir_->filePath(QStringLiteral("BIMZO.DAT"));
}

void ScoreLockTest::twoCopiesRecordingInTurnKeepBothEntries()
{
    // Both game-over dialogs open on the same table before either records.
    ScoreTable start;
    start.entries[0].score = 40, start.entries[0].name = ScoreName::fromText("OLD");
    QVERIFY(SaveScoreTable(start, path_).ok());
    auto first = startTool({"loadwait", path_, "300", "30", "First"});
    auto second = startTool({"loadwait", path_, "200", "20", "Second"});
    QCOMPARE(readLine(*first), QByteArray("loaded 40"));
    QCOMPARE(readLine(*second), QByteArray("loaded 40"));

    for (QProcess* copy : {first.get(), second.get()}) {
        copy->write("\n");
        QVERIFY(copy->waitForFinished(20000));
        QCOMPARE(copy->exitCode(), 0);
    }

    ScoreTable t;
    const ScoreFileStatus s = LoadScoreTable(t, path_);
    QVERIFY(s.ok() && !s.damaged);
    QCOMPARE(scoresOf(t), (QList<qint32>{300, 200, 40}));
    QCOMPARE(namesOf(t), (QStringList{"First", "Second", "OLD"}));
    QCOMPARE(t.entries[0].hits, 30);
    QCOMPARE(t.check, 1500);
    // The second copy's memory holds what it saved, not what it loaded.
    QVERIFY(second->readAllStandardOutput().contains("table 300 200 40"));
}

void ScoreLockTest::twoCopiesRecordingAtOnceKeepTheBestThree()
{
    // Each copy records rising scores that always take its own first place;
    // 10, 30, ... 790 and 20, 40, ... 800 interleave in the file.
    const int count = 40;
    auto odd = startTool({"recordmany", path_, "10", "20", QString::number(count), "Odd"});
    auto even = startTool({"recordmany", path_, "20", "20", QString::number(count), "Even"});
    for (QProcess* copy : {odd.get(), even.get()}) {
        QVERIFY(copy->waitForFinished(60000));
        QCOMPARE(copy->exitCode(), 0);
    }

    ScoreTable t;
    const ScoreFileStatus s = LoadScoreTable(t, path_);
    QVERIFY(s.ok() && !s.damaged);
    QCOMPARE(scoresOf(t), (QList<qint32>{800, 790, 780}));
    QCOMPARE(namesOf(t), (QStringList{"Even", "Odd", "Even"}));
    QCOMPARE(hitsOf(t), (QList<qint32>{count - 1, count - 1, count - 2}));
}

void ScoreLockTest::lockOfAKilledCopyDoesNotBlock()
{
    auto holder = startTool({"holdlock", path_});
    QCOMPARE(readLine(*holder), QByteArray("locked"));
    QVERIFY(QFile::exists(path_ + QStringLiteral(".lock")));
    holder->kill();
    QVERIFY(holder->waitForFinished(10000));
    QVERIFY(QFile::exists(path_ + QStringLiteral(".lock")));  // left behind

    QElapsedTimer timer;
    timer.start();
    ScoreTable t;
    const ScoreFileStatus s = RecordScore(100, 1, "A", t, path_);
    QVERIFY2(s.ok(), qPrintable(s.message));
    // Taken at once because its owner is gone, not after the stale time.
    QVERIFY2(timer.elapsed() < kScoreLockWaitMs / 2, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(t.entries[0].score, 100);
}

void ScoreLockTest::lockThatCannotBeHadIsAnErrorAndChangesNothing()
{
    ScoreTable start;
    start.entries[0].score = 300, start.entries[0].name = ScoreName::fromText("KEEP");
    QVERIFY(SaveScoreTable(start, path_).ok());
    const QByteArray before = readBytes(path_);
    // Another copy that holds the lock and never lets go (stopped in a debugger, say).
    auto holder = startTool({"holdlock", path_});
    QCOMPARE(readLine(*holder), QByteArray("locked"));

    ScoreTable t = start;
    QElapsedTimer timer;
    timer.start();
    const ScoreFileStatus s = RecordScore(500, 5, "NEW", t, path_);
    QCOMPARE(s.code, Code::LockFailed);
    QVERIFY(timer.elapsed() < kScoreLockWaitMs + 5000);  // the wait is bounded
    QVERIFY2(s.message.contains(QDir::toNativeSeparators(path_)), qPrintable(s.message));
    QVERIFY(s.message.contains(QStringLiteral("使用中")));
    QCOMPARE(t, start);
    QCOMPARE(readBytes(path_), before);
    holder->kill();
    holder->waitForFinished();
}

QTEST_GUILESS_MAIN(ScoreLockTest)
#include "tst_scorelock.moc"
