// A real save as the kernel sees it (strace): the new file is synced and
// renamed over BIMZO.DAT, then the folder is synced, and only then does the
// game hear that the score is recorded. Without the folder sync a power cut
// soon after can bring the old table back after the new one was shown.

#include "tests/scores/TestUtil.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class ScoreSyncTest : public QObject {
    Q_OBJECT
private slots:
    void folderIsSyncedAfterTheRenameBeforeTheAnswer();
};

namespace {

// The index of the first line from `from` on that matches, or -1.
int find(const QStringList& lines, const QRegularExpression& re, int from, QRegularExpressionMatch* m = nullptr)
{
    for (int i = qMax(from, 0); i < lines.size(); ++i) {
        const QRegularExpressionMatch found = re.match(lines[i]);
        if (found.hasMatch()) {
            if (m)
                *m = found;
            return i;
        }
    }
    return -1;
}

} // namespace

void ScoreSyncTest::folderIsSyncedAfterTheRenameBeforeTheAnswer()
{
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty())
        QSKIP("strace is not installed: the folder sync is NOT checked");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("BIMZO.DAT"));
    const QString log = dir.filePath(QStringLiteral("trace.log"));
    QVERIFY(runTool({"record", file, "100", "1", "OLD"}).exitCode == 0);

    QProcess p;
    // LeakSanitizer cannot run under ptrace; the sanitizer build checks leaks elsewhere.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
    p.setProcessEnvironment(env);
    p.start(strace, {"-f", "-qq", "-o", log, "-e", "trace=openat,fsync,fdatasync,rename,renameat,renameat2,write",
                     QStringLiteral(SCORE_FILE_TOOL), "record", file, "500", "5", "NEW"});
    QVERIFY(p.waitForFinished(30000));
    if (p.exitCode() != 0 && readBytes(log).contains("PTRACE"))
        QSKIP("strace may not trace here (ptrace refused): the folder sync is NOT checked");
    QCOMPARE(p.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(readBytes(log)).split(QLatin1Char('\n'));

    QRegularExpressionMatch m;
    const int rename = find(lines, QRegularExpression(QStringLiteral("renameat2?\\((\\d+), \"[^\"]+\", \\1, \"BIMZO.DAT\"(, 0)?\\)\\s+= 0$")), 0, &m);
    QVERIFY2(rename >= 0, qPrintable(lines.join('\n')));
    const QString folderFd = m.captured(1);
    const int fileSync = find(lines, QRegularExpression(QStringLiteral("f(data)?sync\\(\\d+\\)\\s+= 0$")), 0);
    QVERIFY2(fileSync >= 0 && fileSync < rename, "the new file is not synced before the rename");
    const int open = find(lines, QRegularExpression(QStringLiteral("openat\\(%1, \"\\.\", [^)]*O_DIRECTORY[^)]*\\)\\s+= (\\d+)$").arg(folderFd)),
                          rename, &m);
    QVERIFY2(open > rename, qPrintable(QStringLiteral("the folder is not opened after the rename:\n") + lines.mid(rename).join('\n')));
    const int folderSync = find(lines, QRegularExpression(QStringLiteral("fsync\\(%1\\)\\s+= 0$").arg(m.captured(1))), open);
    QVERIFY2(folderSync > open, "the folder is not synced");
    const int answer = find(lines, QRegularExpression(QStringLiteral("write\\(1, \"status 0")), 0);
    QVERIFY2(answer > folderSync, "the game hears of the new table before the folder is synced");
    qInfo("%s", qPrintable(lines.mid(fileSync, answer - fileSync + 1).filter(QRegularExpression("sync|rename|O_DIRECTORY|write\\(1")).join('\n')));
}

QTEST_GUILESS_MAIN(ScoreSyncTest)
#include "tst_scoresync.moc"
