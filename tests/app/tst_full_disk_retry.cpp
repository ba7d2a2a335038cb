// A game recorded where the save cannot be made: the disk is full, or its file
// system was remounted read-only while the game ran. One message says the
// score was not recorded, why, and where; the name stays in the box; once the
// cause is gone, Enter records it in the same place. The score file lies on a
// small tmpfs of its own, which needs root: elsewhere the test is skipped, and
// CTest reports it skipped.
#include "scores/ScoreFile.h"
#include "scores/ScoreFormat.h"
#include "tests/support/Child.h"
#include "tests/support/Files.h"
#include "tests/support/GameDriver.h"
#include "ui/Caption.h"
#include "ui/TextBox.h"

#include <QProcess>
#include <QTest>

class FullDiskRetryTest : public QObject {
    Q_OBJECT
private slots:
    void enterRecordsOnceTheCauseIsGone_data();
    void enterRecordsOnceTheCauseIsGone();
};

namespace {

bool mount(const QStringList& args)
{
    return QProcess::execute(QStringLiteral("mount"), args) == 0;
}

// Fills every page of the file system at `folder`; returns the filler files.
QStringList fill(const QString& folder)
{
    QStringList pads;
    for (int i = 0; i < 100; ++i) {
        QFile pad(folder + QStringLiteral("/pad%1").arg(i));
        if (!pad.open(QIODevice::WriteOnly))
            break;
        pads << pad.fileName();
        if (pad.write(QByteArray(4096, 'p')) != 4096 || !pad.flush())
            break;
    }
    return pads;
}

} // namespace

void FullDiskRetryTest::enterRecordsOnceTheCauseIsGone_data()
{
    QTest::addColumn<bool>("full");  // else read-only
    QTest::addColumn<QString>("cause");
    QTest::newRow("full disk") << true << QStringLiteral("空き容量");
    QTest::newRow("read-only file system") << false << QStringLiteral("読み取り専用のファイルシステム");
}

void FullDiskRetryTest::enterRecordsOnceTheCauseIsGone()
{
    QFETCH(bool, full);
    QFETCH(QString, cause);
    GameDriver driver;
    const QString file = driver.scoreFilePath();
    const QString folder = QFileInfo(file).path();
    if (!mount({"-t", "tmpfs", "-o", "size=64k", "tmpfs", folder}))
        QSKIP("cannot mount a small tmpfs here (needs root): retry after a failed save NOT checked");
    struct Unmount {
        QString at;
        ~Unmount() { QProcess::execute(QStringLiteral("umount"), {at}); }
    } unmount{folder};
    ScoreTable old;
    old.entries[0].score = 1000;
    old.entries[0].name = ScoreName::fromText(QStringLiteral("OLD"));
    writeBytes(file, *serializeScoreRecord(old) + QByteArray(20000, 'T'));  // a copy needs five pages
    const QByteArray before = readBytes(file);
    QVERIFY(driver.start());
    driver.playAndEnd();
    GMEND* dialog = driver.gameOver();
    QVERIFY(dialog->inNameEntry());
    TextBox* box = child<TextBox>(dialog, QStringLiteral("PNAME"));
    box->setText(QStringLiteral("RETRY"));
    const QStringList pads = full ? fill(folder) : QStringList();
    QVERIFY(full ? pads.size() > 0 && pads.size() < 100 : mount({"-o", "remount,ro", folder}));

    QTest::keyClick(box, Qt::Key_Return);
    QTRY_COMPARE(driver.errors.size(), 1);
    const QString message = driver.errors.first();
    QVERIFY2(message.startsWith(QStringLiteral("得点は記録されませんでした。")), qPrintable(message));
    QVERIFY2(message.contains(cause) && message.contains(file), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("Enter")), qPrintable(message));
    QVERIFY(dialog->inNameEntry());
    QCOMPARE(box->text(), QStringLiteral("RETRY"));
    QVERIFY(!driver.highScores());
    QCOMPARE(readBytes(file), before);

    for (const QString& pad : pads)
        QVERIFY(QFile::remove(pad));
    QVERIFY(full || mount({"-o", "remount,rw", folder}));
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(!dialog->inNameEntry());
    QVERIFY(driver.highScores());
    QCOMPARE(child<Caption>(driver.highScores(), QStringLiteral("Label5"))->text(), QStringLiteral("RETRY"));
    QTest::qWait(50);
    QCOMPARE(driver.errors.size(), 1);
    ScoreTable onDisk;
    QVERIFY(LoadScoreTable(onDisk, file).ok());
    QCOMPARE(onDisk.entries[1].name.text(), QStringLiteral("RETRY"));
    QCOMPARE(onDisk.entries[1].score, 5);
}

QTEST_MAIN(FullDiskRetryTest)
#include "tst_full_disk_retry.moc"
