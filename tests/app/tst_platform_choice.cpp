// Which Qt platform the game asks for, from the session's environment.
#include "app/PlatformChoice.h"

#include <QTest>

#include <vector>

class PlatformChoiceTest : public QObject {
    Q_OBJECT
private slots:
    void platformFollowsTheSession_data();
    void platformFollowsTheSession();
};

void PlatformChoiceTest::platformFollowsTheSession_data()
{
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<QString>("session");
    QTest::addColumn<QString>("waylandDisplay");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("qtPlatform");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("chosen");  // empty: Qt's own choice

    const QString x11 = QStringLiteral("xcb;wayland");
    auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
    row("GNOME on Wayland runs on X") << "GNOME" << "wayland" << "wayland-0" << ":0" << "" << QStringList() << x11;
    row("Ubuntu's GNOME, second display") << "ubuntu:GNOME" << "wayland" << "wayland-0" << ":1" << ""
                                          << QStringList() << x11;
    row("lower-case gnome") << "gnome" << "wayland" << "wayland-0" << ":0" << "" << QStringList() << x11;
    row("Wayland socket without a session type") << "GNOME" << "" << "wayland-0" << ":0" << "" << QStringList()
                                                 << x11;
    row("GNOME without an X server stays on Wayland")
        << "GNOME" << "wayland" << "wayland-0" << "" << "" << QStringList() << "";
    row("GNOME on X11") << "GNOME" << "x11" << "" << ":0" << "" << QStringList() << "";
    row("KDE stays native") << "KDE" << "wayland" << "wayland-0" << ":0" << "" << QStringList() << "";
    row("a desktop merely named like GNOME") << "GNOMEish" << "wayland" << "wayland-0" << ":0" << ""
                                             << QStringList() << "";
    row("player's QT_QPA_PLATFORM") << "GNOME" << "wayland" << "wayland-0" << ":0" << "wayland" << QStringList()
                                    << "";
    row("player's -platform") << "ubuntu:GNOME" << "wayland" << "wayland-0" << ":0" << ""
                              << QStringList{"-platform", "wayland"} << "";
    row("player's --platform") << "GNOME" << "wayland" << "wayland-0" << ":0" << ""
                               << QStringList{"--platform", "wayland"} << "";
    row("other arguments") << "GNOME" << "wayland" << "wayland-0" << ":0" << "" << QStringList{"-style", "Fusion"}
                           << x11;
}

void PlatformChoiceTest::platformFollowsTheSession()
{
    QFETCH(QString, desktop);
    QFETCH(QString, session);
    QFETCH(QString, waylandDisplay);
    QFETCH(QString, display);
    QFETCH(QString, qtPlatform);
    QFETCH(QStringList, arguments);
    QFETCH(QString, chosen);

    const SessionEnvironment env{desktop.toStdString(), session.toStdString(), waylandDisplay.toStdString(),
                                 display.toStdString(), qtPlatform.toStdString()};
    std::vector<QByteArray> storage{QByteArray("bimzo")};
    for (const QString& argument : arguments)
        storage.push_back(argument.toUtf8());
    std::vector<const char*> argv;
    for (const QByteArray& argument : storage)
        argv.push_back(argument.constData());

    const auto platform = chooseQtPlatform(env, int(argv.size()), argv.data());
    QCOMPARE(QString::fromStdString(platform.value_or("")), chosen);
}

QTEST_GUILESS_MAIN(PlatformChoiceTest)
#include "tst_platform_choice.moc"
