#include "ui/CommandButton.h"

#include "ui/Fonts.h"
#include "ui/Twips.h"

#include <QKeyEvent>

CommandButton::CommandButton(QWidget* parent, const QString& name, int left, int top, int width,
                             int height, const QString& caption)
    : QPushButton(caption, parent)
{
    setObjectName(name);
    setGeometry(twips::rect(left, top, width, height));
    setFont(fonts::japanese(fonts::Face::Gothic, 9));
    setAutoDefault(false);
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter) {
        QPushButton::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat())
        click();
    event->accept();
}
