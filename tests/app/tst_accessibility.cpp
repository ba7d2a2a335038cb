// What a screen reader meets in the three windows, read through QAccessible.
#include "app/GameApp.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "tests/game/ScriptedRandom.h"
#include "ui/TextBox.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <memory>
#include <vector>

namespace {

struct Announcement {
    QObject* object;
    QString name;
};

// Filled by the update handler: every NameChanged with the name it carried.
std::vector<Announcement> announcements;

void recordUpdate(QAccessibleEvent* event)
{
    if (event->type() != QAccessible::NameChanged)
        return;
    QAccessibleInterface* iface = event->accessibleInterface();
    announcements.push_back({event->object(), iface ? iface->text(QAccessible::Name) : QString()});
}

QAccessibleInterface* accessibleOf(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QString nameOf(QObject* object)
{
    QAccessibleInterface* iface = accessibleOf(object);
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

// Walks the accessible tree and lists every shown control without a name.
void collectUnnamed(QAccessibleInterface* iface, QStringList& unnamed)
{
    static const QList<QAccessible::Role> controls{QAccessible::Button,     QAccessible::PushButton,
                                                   QAccessible::StaticText, QAccessible::EditableText,
                                                   QAccessible::Graphic,    QAccessible::MenuItem};
    if (!iface->state().invisible && controls.contains(iface->role())
        && iface->text(QAccessible::Name).trimmed().isEmpty())
        unnamed << (iface->object() ? iface->object()->objectName() : QStringLiteral("?"));
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface* child = iface->child(i))
            collectUnnamed(child, unnamed);
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    // Names
    void everyShownControlOfTheMainWindowHasAName();
    void shootersAreButtonsNamedByLane();
    void targetsAndSpentShootersAreNamedGraphics();
    void gameOverDialogNamesTheScoreAndTheNameBox();
    void highScoreCellsAreNamedByPlace();

    // Announcements
    void scoreIsAnnouncedWhenATickChangesIt();
    void remainingHitsAreAnnouncedAtEachHit();
    void levelIsAnnouncedWhenItChanges();
    void unchangedDisplaysStaySilent();

    // Acting through the screen reader
    void pressActionOnAShooterScoresAHit();
    void pressActionOnAHiddenShooterDoesNothing();

private:
    bimzo* mainWindow() { return app_->mainWindow().get(); }
    template <typename T> T* child(QWidget* window, const char* name)
    {
        T* found = window->findChild<T*>(QLatin1String(name));
        [&] { QVERIFY2(found, name); }();
        return found;
    }
    QStringList announcedBy(QObject* object) const;
    void endGame();

    std::unique_ptr<QTemporaryDir> dir_;
    ScriptedRandom random_;
    std::unique_ptr<GameApp> app_;
};

void AccessibilityTest::initTestCase()
{
    // As when a screen reader is running: only then does Qt pass events on.
    QPlatformIntegration* platform = QGuiApplicationPrivate::platformIntegration();
    if (!platform || !platform->accessibility())
        QSKIP("this platform has no accessibility");
    platform->accessibility()->setActive(true);
    QVERIFY(QAccessible::isActive());
    QAccessible::installUpdateHandler(recordUpdate);
}

void AccessibilityTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    const QString path = dir_->filePath(QStringLiteral("BIMZO.DAT"));
    app_ = std::make_unique<GameApp>(
        random_, [path] { return ScoreFileLocation(path); }, [](QWidget*, const QString&) {});
    app_->start();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow()));
    announcements.clear();
}

void AccessibilityTest::cleanup()
{
    app_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList AccessibilityTest::announcedBy(QObject* object) const
{
    QStringList names;
    for (const Announcement& a : announcements)
        if (a.object == object)
            names << a.name;
    return names;
}

void AccessibilityTest::endGame()
{
    mainWindow()->stm_Click();
    app_->game().boardForTesting().targetTop[0] = 5520;
    mainWindow()->Timer1_Timer();
    QVERIFY(app_->gameOverDialog().get());
}

void AccessibilityTest::everyShownControlOfTheMainWindowHasAName()
{
    mainWindow()->stm_Click();
    mainWindow()->sb_Click(2);  // one red shooter uncovered
    QStringList unnamed;
    collectUnnamed(accessibleOf(mainWindow()), unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char(' '))));
}

void AccessibilityTest::shootersAreButtonsNamedByLane()
{
    for (int i = 0; i < 5; ++i) {
        QAccessibleInterface* sb = accessibleOf(child<Image>(mainWindow(), qPrintable(QStringLiteral("sb_%1").arg(i))));
        QCOMPARE(sb->text(QAccessible::Name), QStringLiteral("発射台 %1").arg(i + 1));
        QCOMPARE(sb->role(), QAccessible::Button);
        QVERIFY(sb->actionInterface());
        QVERIFY(sb->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    }
}

void AccessibilityTest::targetsAndSpentShootersAreNamedGraphics()
{
    QAccessibleInterface* tg = accessibleOf(child<Image>(mainWindow(), "tg_3"));
    QCOMPARE(tg->text(QAccessible::Name), QStringLiteral("的 4"));
    QCOMPARE(tg->role(), QAccessible::Graphic);
    QVERIFY(!tg->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    QAccessibleInterface* sbr = accessibleOf(child<Image>(mainWindow(), "sbr_0"));
    QCOMPARE(sbr->text(QAccessible::Name), QStringLiteral("発射台 1（使用済み）"));
    QCOMPARE(sbr->role(), QAccessible::Graphic);
}

void AccessibilityTest::gameOverDialogNamesTheScoreAndTheNameBox()
{
    endGame();
    GMEND* dialog = app_->gameOverDialog().get();
    QCOMPARE(nameOf(child<Label>(dialog, "Label2")), QStringLiteral("得点 5"));
    QAccessibleInterface* box = accessibleOf(child<TextBox>(dialog, "PNAME"));
    QCOMPARE(box->text(QAccessible::Name), QStringLiteral("名前"));
    QCOMPARE(box->role(), QAccessible::EditableText);
    QStringList unnamed;
    collectUnnamed(accessibleOf(dialog), unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char(' '))));
}

void AccessibilityTest::highScoreCellsAreNamedByPlace()
{
    endGame();
    QTest::keyClicks(child<TextBox>(app_->gameOverDialog().get(), "PNAME"), QStringLiteral("Taro"));
    QTest::keyClick(child<TextBox>(app_->gameOverDialog().get(), "PNAME"), Qt::Key_Return);
    HI_S* table = app_->highScoreDialog().get();
    QVERIFY(table);
    QCOMPARE(nameOf(child<Label>(table, "Label2")), QStringLiteral("1位 名前 Taro"));
    QCOMPARE(nameOf(child<Label>(table, "Label1")), QStringLiteral("1位 得点 5"));
    QCOMPARE(nameOf(child<Label>(table, "Label5")), QStringLiteral("2位 名前"));  // an empty place
    QCOMPARE(nameOf(child<Label>(table, "Label7")), QStringLiteral("3位 得点 0"));
}

void AccessibilityTest::scoreIsAnnouncedWhenATickChangesIt()
{
    Label* score = child<Label>(mainWindow(), "ten_1");
    QCOMPARE(nameOf(score), QStringLiteral("得点 0"));
    mainWindow()->stm_Click();
    mainWindow()->Timer1_Timer();
    QCOMPARE(announcedBy(score), QStringList{QStringLiteral("得点 5")});
    QCOMPARE(nameOf(score), QStringLiteral("得点 5"));
}

void AccessibilityTest::remainingHitsAreAnnouncedAtEachHit()
{
    Label* remaining = child<Label>(mainWindow(), "Label1");
    mainWindow()->stm_Click();
    mainWindow()->sb_Click(0);
    mainWindow()->sb_Click(4);
    QCOMPARE(announcedBy(remaining), (QStringList{QStringLiteral("残枚数 499"), QStringLiteral("残枚数 498")}));
}

void AccessibilityTest::levelIsAnnouncedWhenItChanges()
{
    Label* level = child<Label>(mainWindow(), "lv");
    mainWindow()->stm_Click();
    app_->game().setHitCountForTesting(30);
    mainWindow()->Timer1_Timer();
    QCOMPARE(announcedBy(level), QStringList{QStringLiteral("LEVEL　２")});
}

void AccessibilityTest::unchangedDisplaysStaySilent()
{
    mainWindow()->stm_Click();
    mainWindow()->Timer1_Timer();
    announcements.clear();
    mainWindow()->sb_Click(1);  // the score shows the hit only at the next tick
    QVERIFY(announcedBy(child<Label>(mainWindow(), "ten_1")).isEmpty());
    QVERIFY(announcedBy(child<Label>(mainWindow(), "lv")).isEmpty());
    QCOMPARE(announcedBy(child<Label>(mainWindow(), "Label1")).size(), 1);
}

void AccessibilityTest::pressActionOnAShooterScoresAHit()
{
    mainWindow()->stm_Click();
    Image* shooter = child<Image>(mainWindow(), "sb_2");
    accessibleOf(shooter)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(app_->game().hitCount(), 1);
    QVERIFY(!shooter->isVisible());
}

void AccessibilityTest::pressActionOnAHiddenShooterDoesNothing()
{
    mainWindow()->stm_Click();
    Image* shooter = child<Image>(mainWindow(), "sb_2");
    QSignalSpy clicks(shooter, &Image::Click);
    mainWindow()->sb_Click(2);
    accessibleOf(shooter)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(app_->game().hitCount(), 1);
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
