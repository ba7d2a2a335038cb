#include "GameApp.h"
#include "MessageBox.h"
#include "RandomSource.h"
#include "scorefile.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bimzo"));
    QApplication::setApplicationVersion(QStringLiteral(BIMZO_VERSION));
    QApplication::setOrganizationDomain(QStringLiteral("example.org"));
    // Ties the windows to the installed desktop entry (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Bimzo"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/images/icon16.png"));
    icon.addFile(QStringLiteral(":/images/icon.png"));
    icon.addFile(QStringLiteral(":/images/icon@2x.png"));
    QApplication::setWindowIcon(icon);

    DefaultRandom random;
    GameApp game(random, [] { return LocateScoreFile(); },
                 [](const QString& message) { MsgBox(nullptr, message, QStringLiteral("Bimzo！")); });
    QObject::connect(&game, &GameApp::quitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    game.start();
    return app.exec();
}
