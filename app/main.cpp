#include "GameApp.h"
#include "MessageBox.h"
#include "Pictures.h"
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
    QIcon icon;
    icon.addPixmap(pictures::load(QStringLiteral("icon16")));
    icon.addPixmap(pictures::load(QStringLiteral("icon")));
    QApplication::setWindowIcon(icon);

    DefaultRandom random;
    GameApp game(random, [] { return LocateScoreFile(); },
                 [](const QString& message) { MsgBox(nullptr, message, QStringLiteral("Bimzo！")); });
    QObject::connect(&game, &GameApp::quitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    game.start();
    return app.exec();
}
