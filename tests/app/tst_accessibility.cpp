// What a screen reader meets in the three windows, read through QAccessible.
#include "tests/support/Child.h"
#include "tests/support/GameDriver.h"
#include "game/PlayField.h"
#include "ui/Caption.h"
#include "ui/TextBox.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <algorithm>
#include <iterator>
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
    void everyShownControlHasAName();
    void controlsAreNamedForWhatTheyShow_data();
    void controlsAreNamedForWhatTheyShow();

    // Announcements
    void displaysAreAnnouncedOnlyWhenTheyChange_data();
    void displaysAreAnnouncedOnlyWhenTheyChange();

    // Acting through the screen reader
    void pressActionOnAShooterScoresOnlyWhileItShows_data();
    void pressActionOnAShooterScoresOnlyWhileItShows();

private:
    bimzo* mainWindow() { return driver_->mainWindow(); }
    QStringList announcedBy(QObject* object) const;
    void endGame();

    std::unique_ptr<GameDriver> driver_;
};

void AccessibilityTest::initTestCase()
{
    // As when a screen reader is running: only then does Qt pass events on.
    // A platform without accessibility fails: a skip would pass unseen.
    QPlatformIntegration* platform = QGuiApplicationPrivate::platformIntegration();
    QVERIFY2(platform && platform->accessibility(), "this platform has no accessibility");
    platform->accessibility()->setActive(true);
    QVERIFY(QAccessible::isActive());
    QAccessible::installUpdateHandler(recordUpdate);
}

void AccessibilityTest::init()
{
    driver_ = std::make_unique<GameDriver>();
    QVERIFY(driver_->start());
    announcements.clear();
}

void AccessibilityTest::cleanup()
{
    driver_.reset();
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
    driver_->playAndEnd();
    QVERIFY(driver_->gameOver());
}

void AccessibilityTest::everyShownControlHasAName()
{
    mainWindow()->stm_Click();
    mainWindow()->sb_Click(2);  // one red shooter uncovered
    QStringList unnamed;
    collectUnnamed(accessibleOf(mainWindow()), unnamed);
    endGame();
    collectUnnamed(accessibleOf(driver_->gameOver()), unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char(' '))));
}

void AccessibilityTest::controlsAreNamedForWhatTheyShow_data()
{
    // After a game of 5 points recorded as Taro, with the high scores open.
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<bool>("pressable");
    auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
    row("score") << "bimzo" << "ten_1" << "得点 5" << QAccessible::StaticText << false;
    row("first shooter") << "bimzo" << "sb_0" << "発射台 1" << QAccessible::Button << true;
    row("last shooter") << "bimzo" << "sb_4" << "発射台 5" << QAccessible::Button << true;
    row("target") << "bimzo" << "tg_3" << "的 4" << QAccessible::Graphic << false;
    row("spent shooter") << "bimzo" << "sbr_0" << "発射台 1（使用済み）" << QAccessible::Graphic << false;
    row("game-over score") << "GMEND" << "Label2" << "得点 5" << QAccessible::StaticText << false;
    row("name box") << "GMEND" << "PNAME" << "名前" << QAccessible::EditableText << false;
    row("first name") << "HI_S" << "Label2" << "1位 名前 Taro" << QAccessible::StaticText << false;
    row("first score") << "HI_S" << "Label1" << "1位 得点 5" << QAccessible::StaticText << false;
    row("empty place") << "HI_S" << "Label5" << "2位 名前" << QAccessible::StaticText << false;
    row("third score") << "HI_S" << "Label7" << "3位 得点 0" << QAccessible::StaticText << false;
}

void AccessibilityTest::controlsAreNamedForWhatTheyShow()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    endGame();
    driver_->enterName(QStringLiteral("Taro"));
    QVERIFY(driver_->highScores());
    QObject* const windows[] = {mainWindow(), driver_->gameOver(), driver_->highScores()};
    const auto found = std::find_if(std::begin(windows), std::end(windows),
                                    [&](QObject* w) { return w->objectName() == window; });
    QVERIFY(found != std::end(windows));
    QAccessibleInterface* iface = accessibleOf(child<QObject>(*found, control));
    QVERIFY(iface);
    QTEST(iface->text(QAccessible::Name), "name");
    QTEST(iface->role(), "role");
    QAccessibleActionInterface* actions = iface->actionInterface();
    QTEST(actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction()), "pressable");
}

void AccessibilityTest::displaysAreAnnouncedOnlyWhenTheyChange_data()
{
    // After Start and `ticks` ticks, at `hits` hits: the shots at `lanes`,
    // then `after` more ticks, and what `caption` announced meanwhile.
    QTest::addColumn<int>("hits");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QList<int>>("lanes");
    QTest::addColumn<int>("after");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("announced");
    auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
    row("score at a tick") << 0 << 0 << QList<int>{} << 1 << "ten_1" << QStringList{"得点 5"};
    row("remaining hits at each hit") << 0 << 0 << QList<int>{0, 4} << 0 << "Label1"
                                      << QStringList{"残枚数 499", "残枚数 498"};
    row("level when it changes") << 30 << 0 << QList<int>{} << 1 << "lv" << QStringList{"LEVEL　２"};
    // The score shows a hit only at the next tick.
    row("score silent at a hit") << 0 << 1 << QList<int>{1} << 0 << "ten_1" << QStringList{};
}

void AccessibilityTest::displaysAreAnnouncedOnlyWhenTheyChange()
{
    QFETCH(int, hits);
    QFETCH(int, ticks);
    QFETCH(QList<int>, lanes);
    QFETCH(int, after);
    QFETCH(QString, caption);
    mainWindow()->stm_Click();
    driver_->game().setHitCountForTesting(hits);
    for (int i = 0; i < ticks; ++i)
        mainWindow()->Timer1_Timer();
    announcements.clear();
    for (int lane : lanes)
        mainWindow()->sb_Click(lane);
    for (int i = 0; i < after; ++i)
        mainWindow()->Timer1_Timer();
    QTEST(announcedBy(child<Caption>(mainWindow(), caption)), "announced");
}

void AccessibilityTest::pressActionOnAShooterScoresOnlyWhileItShows_data()
{
    QTest::addColumn<bool>("spent");  // by a click before the press action
    QTest::newRow("shown") << false;
    QTest::newRow("spent") << true;
}

void AccessibilityTest::pressActionOnAShooterScoresOnlyWhileItShows()
{
    QFETCH(bool, spent);
    mainWindow()->stm_Click();
    FieldItem* shooter = child<FieldItem>(mainWindow(), "sb_2");
    if (spent)
        mainWindow()->sb_Click(2);
    QSignalSpy clicks(shooter, &FieldItem::Click);
    accessibleOf(shooter)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.count(), spent ? 0 : 1);
    QCOMPARE(driver_->game().hitCount(), 1);
    QVERIFY(!shooter->isVisible());
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
