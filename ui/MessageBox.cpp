#include "MessageBox.h"

#include <QMessageBox>

void MsgBox(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
