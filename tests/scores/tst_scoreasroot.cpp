// What only root can set up or only root could get wrong. Skipped, and
// reported as skipped by CTest, when not run as root.

#include "scores/RecordScore.h"
#include "scores/ScoreFile.h"
#include "tests/scores/TestUtil.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

class ScoreAsRootTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void rootSavingKeepsTheOwnerOfALinksTarget();
};

void ScoreAsRootTest::init()
{
    if (::geteuid() != 0)
        QSKIP("not root: the owner of a file cannot be set up, NOT checked");
}

void ScoreAsRootTest::rootSavingKeepsTheOwnerOfALinksTarget()
{
    // A player's table, reached through a link, recorded into by root.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("player")));
    const QString target = dir.filePath(QStringLiteral("player/scores.dat"));
    const QString link = dir.filePath(QStringLiteral("BIMZO.DAT"));
    QVERIFY(SaveScoreTable(ScoreTable{}, target).ok());
    const QByteArray t = QFile::encodeName(target);
    if (::chown(t.constData(), 65534, 65534) != 0)  // root of a user namespace, say
        QSKIP("cannot give a file to another user here: the owner is NOT checked");
    QCOMPARE(::chmod(t.constData(), 0640), 0);
    QVERIFY(QFile::link(target, link));

    ScoreTable table;
    const ScoreFileStatus s = RecordScore(500, 5, "ROOT", table, link);
    QVERIFY2(s.ok(), qPrintable(s.message));
    struct stat st {};
    QCOMPARE(::lstat(t.constData(), &st), 0);
    QVERIFY(S_ISREG(st.st_mode));
    QCOMPARE(st.st_uid, uid_t(65534));
    QCOMPARE(st.st_gid, gid_t(65534));
    QCOMPARE(st.st_mode & 0777, mode_t(0640));
    QVERIFY(QFileInfo(link).isSymLink());
    ScoreTable onDisk;
    QVERIFY(LoadScoreTable(onDisk, target).ok());
    QCOMPARE(onDisk.entries[0].name.text(), QStringLiteral("ROOT"));
}

QTEST_GUILESS_MAIN(ScoreAsRootTest)
#include "tst_scoreasroot.moc"
