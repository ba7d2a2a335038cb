// The main window's menus reached by keys alone, under each style players
// use. A style that is not installed skips its rows.
#include "game/Game.h"
#include "game/bimzo.h"
#include "tests/support/Child.h"
#include "tests/support/ScriptedRandom.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>

#include <memory>

using Keys = QList<QKeyCombination>;

class MenuKeysTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void keysAloneTriggerTheItem_data();
    void keysAloneTriggerTheItem();
    void altShowsTheBarHasTheKeyboard_data();
    void altShowsTheBarHasTheKeyboard();
    void disabledWindowOpensNoMenu();

private:
    // "" is the style the platform chose (the gtk3 and qt6ct runs).
    static QStringList styles() { return {QString(), QStringLiteral("Fusion"), QStringLiteral("Adwaita"), QStringLiteral("Adwaita-Dark")}; }
    static QByteArray rowName(const QString& style, const char* keys)
    {
        return (style.isEmpty() ? QByteArrayLiteral("platform") : style.toUtf8()) + ": " + keys;
    }
    QString styleName(const QString& style) const { return style.isEmpty() ? platformStyle_ : style; }
    bool installed(const QString& style) const
    {
        return QStyleFactory::keys().contains(styleName(style), Qt::CaseInsensitive);
    }
    // True once the main window, in that style, is active.
    bool openWindow(const QString& style);
    // Each key goes where a player's would: an open menu, else the focus.
    void type(const Keys& keys) const;

    QString platformStyle_;
    Game game_;
    ScriptedRandom random_;
    std::unique_ptr<bimzo> window_;
};

void MenuKeysTest::initTestCase()
{
    platformStyle_ = QApplication::style()->name();
}

void MenuKeysTest::cleanup()
{
    if (QWidget* menu = QApplication::activePopupWidget())
        menu->close();
    window_.reset();
}

bool MenuKeysTest::openWindow(const QString& style)
{
    QApplication::setStyle(styleName(style));
    game_ = Game{};
    window_ = std::make_unique<bimzo>(game_, random_);
    window_->Form_Load();
    window_->show();
    QApplication::setActiveWindow(window_.get());
    return QTest::qWaitForWindowActive(window_.get());
}

void MenuKeysTest::type(const Keys& keys) const
{
    for (const QKeyCombination key : keys) {
        QWidget* to = QApplication::activePopupWidget();
        if (!to)
            to = QApplication::focusWidget();
        QTest::keyClick(to ? to : window_.get(), key.key(), key.keyboardModifiers());
    }
}

void MenuKeysTest::keysAloneTriggerTheItem_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QString>("item");
    const Keys downToEnd{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return};
    const struct {
        const char* name;
        Keys keys;
        const char* item;
    } rows[] = {
        {"Alt, Down to End", Keys{Qt::Key_Alt} + downToEnd, "mend"},
        {"F10, Down to End", Keys{Qt::Key_F10} + downToEnd, "mend"},
        {"Alt+F to HI-SCORE", {Qt::ALT | Qt::Key_F, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}, "him"},
        {"Alt+H to About", {Qt::ALT | Qt::Key_H, Qt::Key_Down, Qt::Key_Return}, "mab"},
    };
    for (const QString& style : styles())
        for (const auto& row : rows)
            QTest::newRow(rowName(style, row.name)) << style << row.keys << QString::fromLatin1(row.item);
}

void MenuKeysTest::keysAloneTriggerTheItem()
{
    QFETCH(QString, style);
    QFETCH(Keys, keys);
    QFETCH(QString, item);
    if (!installed(style))
        QSKIP("style not installed");
    QVERIFY(openWindow(style));
    QSignalSpy triggered(child<QAction>(window_.get(), item), &QAction::triggered);
    // The About box waits for OK: give it one as soon as it is up.
    QTimer::singleShot(0, this, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    type(keys);
    QTRY_COMPARE(triggered.count(), 1);
}

void MenuKeysTest::altShowsTheBarHasTheKeyboard_data()
{
    QTest::addColumn<QString>("style");
    for (const QString& style : styles())
        QTest::newRow(rowName(style, "Alt")) << style;
}

void MenuKeysTest::altShowsTheBarHasTheKeyboard()
{
    QFETCH(QString, style);
    if (!installed(style))
        QSKIP("style not installed");
    QVERIFY(openWindow(style));
    QMenuBar* bar = window_->findChild<QMenuBar*>();
    QAction* file = bar->actions().first();
    const QImage before = bar->grab(bar->actionGeometry(file)).toImage();
    type({Qt::Key_Alt});
    QCOMPARE(bar->activeAction(), file);
    QVERIFY2(!QApplication::activePopupWidget(), "Alt alone opened a menu");
    QVERIFY2(bar->grab(bar->actionGeometry(file)).toImage() != before, "File looks as it did before Alt");
    type({Qt::Key_Alt});
    QCOMPARE(bar->activeAction(), nullptr);
}

// A game's end disables the window until the game-over dialog is done.
void MenuKeysTest::disabledWindowOpensNoMenu()
{
    QVERIFY(openWindow({}));
    window_->setEnabled(false);
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_F10), Qt::ALT | Qt::Key_F, QKeyCombination(Qt::Key_Alt)}) {
        QTest::keyClick(window_.get(), key.key(), key.keyboardModifiers());
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(window_->findChild<QMenuBar*>()->activeAction(), nullptr);
    }
}

QTEST_MAIN(MenuKeysTest)
#include "tst_menu_keys.moc"
