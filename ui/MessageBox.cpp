#include "ui/MessageBox.h"

#include "ui/WindowOwner.h"

#include <QMessageBox>

void showMessageBox(QWidget* parent, const QString& text, const QString& title)
{
    // No Qt parent: a window disabled while the box is up (a game that ends
    // meanwhile) must not disable the box with it. The window system still
    // learns whose box it is.
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    if (parent) {
        setOwnerWindow(&box, parent);
        box.adjustSize();
        QRect frame = box.frameGeometry();
        frame.moveCenter(parent->window()->frameGeometry().center());
        box.move(frame.topLeft());
    }
    box.exec();
}
