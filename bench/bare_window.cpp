// The reference for start-up and memory: a bare Qt Widgets window with the
// game's client size (256 x 422) and the same two menus, and nothing else.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bimzo！"));
    auto* client = new QWidget;
    client->setFixedSize(256, 422);
    window.setCentralWidget(client);
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("File"));
    file->addAction(QStringLiteral("Start"))->setShortcut(Qt::Key_F5);
    file->addAction(QStringLiteral("HI-SCORE"));
    QObject::connect(file->addAction(QStringLiteral("End")), &QAction::triggered, &app, &QApplication::quit);
    window.menuBar()->addMenu(QStringLiteral("Help"))->addAction(QStringLiteral("About"));
    window.show();
    return app.exec();
}
