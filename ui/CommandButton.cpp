#include "ui/CommandButton.h"

#include "ui/Fonts.h"
#include "ui/Keys.h"
#include "ui/Twips.h"

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
    if (!keys::isEnter(*event)) {
        QPushButton::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat())
        click();
    event->accept();
}
