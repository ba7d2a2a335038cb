#include "DisplayGuard.h"
#include "GameApp.h"
#include "MessageBox.h"
#include "Pictures.h"
#include "RandomSource.h"
#include "scorefile.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    DisplayGuard noDisplay;
    QApplication app(argc, argv);
    noDisplay.release();
    QApplication::setApplicationName(QStringLiteral("bimzo"));
    QApplication::setApplicationVersion(QStringLiteral(BIMZO_VERSION));
    QApplication::setOrganizationDomain(QStringLiteral("example.org"));
    // Ties the windows to the installed desktop entry (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Bimzo"));
    QIcon icon;
    for (const char* size : {"icon16", "icon", "icon@2x"})
        icon.addPixmap(QPixmap::fromImage(pictures::read(QLatin1String(size))));
    QApplication::setWindowIcon(icon);

    DefaultRandom random;
    GameApp game(random, [] { return LocateScoreFile(); },
                 [](QWidget* owner, const QString& message) { MsgBox(owner, message, QStringLiteral("Bimzo！")); });
    QObject::connect(&game, &GameApp::quitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    game.start();
    return app.exec();
}
