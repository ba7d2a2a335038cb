// Folders staged with what the game may meet there: files that cannot be read
// or written, things that are not files, links, a player's file that root
// records into, leftovers of killed saves, huge files; saves cut short, and
// tables that must not be written. Each is answered with its cause and the file
// it is about, and what is not the game's own stays as it was.

#include "scores/Ranking.h"
#include "scores/RecordScore.h"
#include "scores/ScoreFile.h"
#include "scores/ScoreFormat.h"
#include "tests/scores/TestUtil.h"

#include <QDirIterator>
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

// Everything below `dir`, as paths from it, sorted.
QString entriesOf(const QString& dir)
{
    QStringList found;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(dir).relativeFilePath(it.next());
    found.sort();
    return found.join(QLatin1Char(' '));
}

// What a player would see changed: kind, mode, owner, and with `content` the
// bytes of a file or the target of a link.
QByteArray stateOf(const QString& path, bool content = true)
{
    const QByteArray p = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(p.constData(), &st) != 0)
        return "missing";
    QByteArray state = QByteArray::number(st.st_mode, 8) + ' ' + QByteArray::number(st.st_uid) + ' '
        + QByteArray::number(st.st_gid) + ' ';
    if (!content)
        return state;
    if (S_ISLNK(st.st_mode))
        return state + QFile::encodeName(QFile::symLinkTarget(path));
    return S_ISREG(st.st_mode) ? state + readBytes(path) : state;
}

} // namespace

class ScoreFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void stagedFolder_data();
    void stagedFolder();

    void killedSaveLeavesOldOrNewNeverAMix();
    void fileVanishedAfterLoadIsWrittenAgainWhole();

    void tableTheFileCannotTakeIsRefused_data();
    void tableTheFileCannotTakeIsRefused();

private:
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

void ScoreFaultsTest::stagedFolder_data()
{
    QTest::addColumn<QString>("setup");    // sh in the folder, which holds a table as BIMZO.DAT
    QTest::addColumn<bool>("asUser");      // the game runs as nobody, whom permissions bind
    QTest::addColumn<QString>("command");  // for score_file_tool, @ standing for the folder
    QTest::addColumn<int>("limit");        // ulimit -f in bytes, or 0
    QTest::addColumn<Code>("status");
    QTest::addColumn<QString>("cause");    // in the message, with the folder
    QTest::addColumn<QString>("left");     // what the folder holds afterwards
    QTest::addColumn<QString>("kept");     // what is exactly as it was
    QTest::addColumn<qint64>("size");      // of BIMZO.DAT afterwards, or -1
    const QString load = QStringLiteral("load @/BIMZO.DAT");
    const QString record = QStringLiteral("record @/BIMZO.DAT 999 9 NEW");
    const QString located = QStringLiteral("recordfor @ @/data/bimzo 999 9 NEW");
    const QString both = QStringLiteral("BIMZO.DAT BIMZO.DAT.lock");
    const QString longName(251, QLatin1Char('0'));  // with ".lock", one past the longest name
    const QString foreign = QStringLiteral("mkdir -m 700 private && mv BIMZO.DAT private/passwd && ln -s private/passwd "
                                           "BIMZO.DAT && chown -h nobody BIMZO.DAT");
    const auto row = [&](const char* name, const QString& setup, Code status, const QString& cause, const QString& left,
                         const QString& kept, const QString& command, bool asUser = false, int limit = 0,
                         qint64 size = -1) {
        QTest::newRow(name) << setup << asUser << command << limit << status << cause << left << kept << size;
    };
    const Code ok = Code::Ok, notAFile = Code::NotAFile, openFailed = Code::OpenFailed;
    row("folder at the file", "rm BIMZO.DAT && mkdir BIMZO.DAT", notAFile, "フォルダー", "BIMZO.DAT", "", record);
    row("FIFO at the file, loaded", "rm BIMZO.DAT && mkfifo BIMZO.DAT", notAFile, "FIFO", "BIMZO.DAT", "BIMZO.DAT", load);
    row("FIFO at the file, recorded", "rm BIMZO.DAT && mkfifo BIMZO.DAT", notAFile, "FIFO", "BIMZO.DAT", "BIMZO.DAT", record);
    row("folder not writable", "chmod 666 BIMZO.DAT && chmod 555 .", openFailed, "権限がありません", "BIMZO.DAT",
        "BIMZO.DAT", record, true);
    row("file not readable", "chmod 0 BIMZO.DAT", openFailed, "権限がありません", "BIMZO.DAT", "BIMZO.DAT", load, true);
    row("file read-only, loaded", "chmod 444 BIMZO.DAT", ok, "", "BIMZO.DAT", "BIMZO.DAT", load, true);
    row("file read-only, recorded", "chmod 444 BIMZO.DAT", openFailed, "権限がありません", both, "BIMZO.DAT", record, true);
    row("file-size limit", "head -c 4000 /dev/zero >> BIMZO.DAT", Code::WriteFailed, "ファイルサイズの上限", both,
        "BIMZO.DAT", record, false, 1024);
    row("FIFO at the lock", "mkfifo BIMZO.DAT.lock", notAFile, "FIFO", both, both, record);
    row("link to a device at the lock", "ln -s /dev/zero BIMZO.DAT.lock", notAFile, "/dev/zero", both, both, record);
    row("folder at the lock", "mkdir BIMZO.DAT.lock", notAFile, "フォルダー", both, "BIMZO.DAT", record);
    row("lock name too long", "mv BIMZO.DAT " + longName + " && ln -s " + longName + " BIMZO.DAT", openFailed, "長すぎ",
        longName + " BIMZO.DAT", longName + " BIMZO.DAT", record);
    row("lock kept", "printf 12345 > BIMZO.DAT.lock && chmod 600 BIMZO.DAT.lock", ok, "", both, "BIMZO.DAT.lock", record);
    row("leftovers cleared, other names kept",
        "cp BIMZO.DAT BIMZO.DAT.backup && for n in .BIMZO.DAT.saving-Ab12Cd .BIMZO.DAT.saving-Zz9 BIMZO.DAT.Ab12Cd; "
        "do echo x > $n; done", ok, "", ".BIMZO.DAT.saving-Zz9 BIMZO.DAT BIMZO.DAT.Ab12Cd BIMZO.DAT.backup BIMZO.DAT.lock",
        ".BIMZO.DAT.saving-Zz9 BIMZO.DAT.Ab12Cd BIMZO.DAT.backup", record);
    row("1 GiB of tail", "truncate -s 1G BIMZO.DAT", ok, "", both, "", record, false, 0, kMaxRecordBytes);
    row("another user's link, loaded", foreign, Code::ForeignLink, "nobody", "BIMZO.DAT private private/passwd",
        "BIMZO.DAT private/passwd", load);
    row("another user's link, recorded", foreign, Code::ForeignLink, "nobody", "BIMZO.DAT private private/passwd",
        "BIMZO.DAT private/passwd", record);
    row("another user's link at the lock",
        "mkdir -m 700 private && echo 12345 > private/x && ln -s private/x BIMZO.DAT.lock && chown -h nobody BIMZO.DAT.lock",
        Code::ForeignLink, "nobody", both + " private private/x", both + " private/x", record);
    row("own link followed", "mkdir real && mv BIMZO.DAT real/scores.dat && ln -s real/scores.dat BIMZO.DAT", ok, "",
        "BIMZO.DAT real real/scores.dat real/scores.dat.lock", "BIMZO.DAT", record);
    row("a player's file recorded into by root", "mkdir player && mv BIMZO.DAT player/scores.dat && chmod 640 "
        "player/scores.dat && chown 65534:65534 player/scores.dat && ln -s player/scores.dat BIMZO.DAT", ok, "",
        "BIMZO.DAT player player/scores.dat player/scores.dat.lock", "BIMZO.DAT", record);
    row("data folder made for a game in an unwritable folder", "mkdir -m 777 data && chmod 555 .", ok, "",
        "BIMZO.DAT data data/bimzo data/bimzo/BIMZO.DAT data/bimzo/BIMZO.DAT.lock", "BIMZO.DAT", located, true);
    row("data folder that cannot be made", "mkdir -m 555 data && chmod 555 .", openFailed, "を作れません: 権限がありません",
        "BIMZO.DAT data", "BIMZO.DAT", located, true);
}

void ScoreFaultsTest::stagedFolder()
{
    QFETCH(QString, setup);
    QFETCH(bool, asUser);
    QFETCH(QString, command);
    QFETCH(int, limit);
    QFETCH(Code, status);
    QFETCH(QString, cause);
    QFETCH(QString, left);
    QFETCH(QString, kept);
    QFETCH(qint64, size);
    const QString folder = dir_->path();
    ::chmod(QFile::encodeName(folder).constData(), 0777);  // another user may enter
    writeBytes(path_, *serializeScoreRecord(SampleTable()));
    QProcess shell;
    shell.setWorkingDirectory(folder);
    shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), setup});
    if (!shell.waitForFinished() || shell.exitCode() != 0)
        QSKIP(qPrintable(QStringLiteral("cannot stage this here (root may be needed), NOT checked: ") + setup));
    QMap<QString, QByteArray> before, kinds;
    for (const QString& name : kept.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        before[name] = stateOf(dir_->filePath(name));
    for (const QString& name : entriesOf(folder).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        kinds[name] = stateOf(dir_->filePath(name), false);

    // In a process of its own, with its own signals: one that hangs is stopped,
    // not waited for. Nothing here waits for a lock another copy holds.
    QProcess game;
    game.setChildProcessModifier([limit] {
        std::signal(SIGXFSZ, SIG_DFL);  // as a game started from a shell has it
        const rlimit small{rlim_t(limit), rlim_t(limit)};
        if (limit > 0)
            ::setrlimit(RLIMIT_FSIZE, &small);
    });
    QStringList args = command.split(QLatin1Char(' ')).replaceInStrings(QStringLiteral("@"), folder);
    if (asUser)
        args.prepend(QStringLiteral("--drop-root"));
    game.start(QStringLiteral(SCORE_FILE_TOOL), args);
    QVERIFY2(game.waitForFinished(kScoreLockWaitMs), "no answer before a wait for the lock would end");
    const QString out = QString::fromUtf8(game.readAllStandardOutput());
    if (asUser && game.exitCode() == 3)
        QSKIP("cannot switch to an unprivileged user here, NOT checked");
    QVERIFY2(game.exitStatus() == QProcess::NormalExit, "ended by a signal");
    QVERIFY2(out.startsWith(QStringLiteral("status %1\n").arg(int(status))), qPrintable(out));
    if (status != Code::Ok) {
        QVERIFY2(out.contains(cause) && out.contains(folder), qPrintable(out));
        QVERIFY2(command.startsWith(QLatin1String("load")) || out.contains(QStringLiteral("得点は記録されませんでした")),
                 qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("table 7 6 5")), qPrintable(out));  // the table in memory untouched
    }
    QCOMPARE(entriesOf(folder), left);
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QVERIFY2(stateOf(dir_->filePath(it.key())) == it.value(), qPrintable(it.key() + QStringLiteral(" changed")));
    // What stays keeps its kind, mode and owner, even where root replaced a player's file.
    for (auto it = kinds.cbegin(); it != kinds.cend(); ++it) {
        const QByteArray now = stateOf(dir_->filePath(it.key()), false);
        QVERIFY2(now == "missing" || now == it.value(), qPrintable(it.key() + QStringLiteral(": ") + now));
    }
    // No more of an old tail is kept than the longest record could reach.
    if (size >= 0)
        QCOMPARE(QFileInfo(path_).size(), size);
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
        auto p = startTool({"saveloop", path_});
        QCOMPARE(readLine(*p), QByteArray("started"));
        QTest::qSleep(QRandomGenerator::global()->bounded(2, 25));
        p->kill();
        QVERIFY(p->waitForFinished(10000));
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
    QCOMPARE(scoresOf(onDisk), (QList<qint32>{300, 250, 200}));
    QCOMPARE(namesOf(onDisk), (QStringList{"AAA", "NEW", "ソ"}));
}

void ScoreFaultsTest::tableTheFileCannotTakeIsRefused_data()
{
    QTest::addColumn<qint32>("score1");  // the file's first place, which only other means write
    QTest::addColumn<double>("score");   // a game that does not take it
    QTest::addColumn<QString>("name");
    QTest::addColumn<Code>("code");
    QTest::addColumn<Code>("saved");     // the same name written below the first place
    QTest::newRow("largest check") << qint32(429496729) << 35.0 << "Y" << Code::Ok << Code::Ok;
    QTest::newRow("check one above") << qint32(429496730) << 35.0 << "Y" << Code::CheckOverflow << Code::Ok;
    QTest::newRow("smallest check") << qint32(-429496729) << -2e9 << "Y" << Code::Ok << Code::Ok;
    QTest::newRow("check one below") << qint32(-429496730) << -2e9 << "Y" << Code::CheckOverflow << Code::Ok;
    // 32768 double-byte characters: 65536 bytes, one too many for the 2-byte length.
    QTest::newRow("name of 65536 bytes") << qint32(300) << 5.0 << QString(32768, QChar(0x3042)) << Code::NameTooLong
                                         << Code::NameTooLong;
    QTest::newRow("name without CP932 form") << qint32(300) << 5.0 << QString::fromUtf16(u"A\U0001F600")
                                             << Code::NameNotStorable << Code::NameNotStorable;
}

void ScoreFaultsTest::tableTheFileCannotTakeIsRefused()
{
    QFETCH(qint32, score1);
    QFETCH(double, score);
    QFETCH(QString, name);
    QFETCH(Code, code);
    QFETCH(Code, saved);
    writeBytes(path_, RecordBuilder().num(score1).name("X").num(1).num(0).name({}).num(0)
                          .num(-1000000000).name({}).num(0).num(0).num(0).bytes);
    const QByteArray before = readBytes(path_);
    ScoreTable t;
    QVERIFY(LoadScoreTable(t, path_).ok());
    const ScoreTable loaded = t;

    const ScoreFileStatus s = RecordScore(score, 1, name, t, path_);
    QCOMPARE(s.code, code);
    if (s.ok()) {
        QCOMPARE(t.check, score1 * 5);
        return;
    }
    QVERIFY2(s.message.contains(QDir::toNativeSeparators(path_)), qPrintable(s.message));
    QCOMPARE(t, loaded);
    QCOMPARE(readBytes(path_), before);

    ScoreTable direct = loaded;
    direct.entries[1].name = ScoreName::fromText(name);
    QCOMPARE(SaveScoreTable(direct, path_).code, saved);
    QCOMPARE(readBytes(path_) == before, saved != Code::Ok);
}

QTEST_GUILESS_MAIN(ScoreFaultsTest)
#include "tst_scorefaults.moc"
