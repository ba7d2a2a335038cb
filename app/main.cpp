#include "GameApp.h"
#include "Pictures.h"
#include "RandomSource.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bimzo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Bimzo！"));
    QApplication::setApplicationVersion(QStringLiteral(BIMZO_VERSION));
    QApplication::setOrganizationDomain(QStringLiteral("example.org"));
    QIcon icon;
    icon.addPixmap(pictures::load(QStringLiteral("icon16")));
    icon.addPixmap(pictures::load(QStringLiteral("icon")));
    QApplication::setWindowIcon(icon);

    DefaultRandom random;
    GameApp game(random);
    game.start();
    return app.exec();
}
