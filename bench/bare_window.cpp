// The references for start-up and memory: a bare Qt Widgets window with the
// game's client size (256 x 422) and the same two menus. Built with
// WITH_CAPTIONS it also shows the main window's captions in the same faces,
// sizes and weights, so that it pays what Japanese text costs and nothing else.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

namespace {

#ifdef WITH_CAPTIONS
QLabel* caption(QWidget* parent, const char* family, int pixels, bool bold, const char* text, int x, int y)
{
    QFont font;
    font.setFamilies({QString::fromUtf8(family)});
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setFont(font);
    label->move(x, y);
    return label;
}

void addCaptions(QWidget* client)
{
    caption(client, "IPAPGothic", 13, true, "LEVEL　１", 168, 0);
    caption(client, "IPAPGothic", 13, true, "残枚数", 168, 16);
    caption(client, "IPAPGothic", 13, true, "500", 216, 16);
    caption(client, "IPAPGothic", 24, false, "0", 64, 8);
    caption(client, "IPAPMincho", 21, true, "得点", 8, 8);
}
#endif

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bimzo！"));
    auto* client = new QWidget;
    client->setFixedSize(256, 422);
#ifdef WITH_CAPTIONS
    addCaptions(client);
#endif
    window.setCentralWidget(client);
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("File"));
    file->addAction(QStringLiteral("Start"))->setShortcut(Qt::Key_F5);
    file->addAction(QStringLiteral("HI-SCORE"));
    QObject::connect(file->addAction(QStringLiteral("End")), &QAction::triggered, &app, &QApplication::quit);
    window.menuBar()->addMenu(QStringLiteral("Help"))->addAction(QStringLiteral("About"));
    window.show();
    return app.exec();
}
