#include "ui/TextBox.h"

#include "ui/Fonts.h"
#include "ui/Twips.h"

#include <QKeyEvent>

namespace {
constexpr int kEnter = 13;
}

TextBox::TextBox(QWidget* parent, const QString& name, int left, int top, int width, int height)
    : QLineEdit(parent)
{
    setObjectName(name);
    setAccessibleName(name);
    setGeometry(twips::rect(left, top, width, height));
    setFont(fonts::japanese(fonts::Face::Gothic, 9));
    setFrame(true);
    setTextMargins(0, 0, 0, 0);
}

TextBox& TextBox::backColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    setPalette(p);
    return *this;
}

void TextBox::selectAllText()
{
    setSelection(0, static_cast<int>(text().size()));
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter) {
        if (!event->isAutoRepeat())
            emit KeyPress(kEnter);
    } else if (!event->text().isEmpty()) {
        emit KeyPress(event->text().front().unicode());
    }
    QLineEdit::keyPressEvent(event);
}
