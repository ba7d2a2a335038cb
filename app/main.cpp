#include "app/CommandLine.h"
#include "app/DisplayGuard.h"
#include "app/GameApp.h"
#include "app/PlatformChoice.h"
#include "ui/MessageBox.h"
#include "ui/Pictures.h"
#include "game/RandomSource.h"
#include "scores/ScoreLocation.h"
#include "BuildInfo.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (const auto status = answerCommandLine(argc, argv))
        return *status;
    if (const auto platform = chooseQtPlatform(SessionEnvironment::fromProcess(), argc, argv))
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*platform));
    DisplayGuard noDisplay(argc, argv);
    QApplication app(argc, argv);
    noDisplay.release();
    QApplication::setApplicationName(QStringLiteral("bimzo"));
    QApplication::setApplicationVersion(QStringLiteral(BIMZO_VERSION));
    QApplication::setOrganizationDomain(QStringLiteral("example.org"));
    // Ties the windows to the installed desktop entry (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral(BIMZO_APP_ID));
    QIcon icon;
    for (const char* size : {"icon16", "icon", "icon@2x"})
        icon.addPixmap(QPixmap::fromImage(pictures::read(QLatin1String(size))));
    QApplication::setWindowIcon(icon);

    DefaultRandom random;
    GameApp game(random, locateScoreFile(),
                 [](QWidget* owner, const QString& message) { showMessageBox(owner, message, QStringLiteral("Bimzo！")); });
    QObject::connect(&game, &GameApp::quitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    game.start();
    const int status = app.exec();
    // Qt 6.4's Wayland client can deadlock at exit, joining its event thread
    // while it tears the display down. Everything is saved by now: leave.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
