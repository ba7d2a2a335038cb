#include "ui/TextBox.h"

#include "ui/Fonts.h"
#include "ui/Keys.h"
#include "ui/Twips.h"

#include <QKeyEvent>

#include <algorithm>

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
    return paletteColor(QPalette::Base, color);
}

TextBox& TextBox::foreColor(const QColor& color)
{
    return paletteColor(QPalette::Text, color);
}

TextBox& TextBox::paletteColor(QPalette::ColorRole role, const QColor& color)
{
    QPalette p = palette();
    p.setColor(role, color);
    setPalette(p);
    return *this;
}

void TextBox::selectAllText()
{
    setSelection(0, static_cast<int>(text().size()));
}

void TextBox::setTypedMaxLength(int limit)
{
    typedMaxLength_ = limit;
    setMaxLength(limit);
}

void TextBox::setProgramText(const QString& text)
{
    setMaxLength(std::max(typedMaxLength_, static_cast<int>(text.size())));
    setText(text);
}

// Before each edit the room shrinks to what the text holds now, down to the
// typed limit. Changing Qt's limit puts the caret at the end, so it is put back.
void TextBox::tightenMaxLength()
{
    const int room = std::max(typedMaxLength_, static_cast<int>(text().size()));
    if (maxLength() == room)
        return;
    const int cursor = cursorPosition();
    const int start = selectionStart();
    const int length = static_cast<int>(selectedText().size());
    setMaxLength(room);
    if (start >= 0)
        setSelection(start, length);
    else
        setCursorPosition(cursor);
}

void TextBox::inputMethodEvent(QInputMethodEvent* event)
{
    tightenMaxLength();
    QLineEdit::inputMethodEvent(event);
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    tightenMaxLength();
    if (keys::isEnter(*event)) {
        if (!event->isAutoRepeat())
            emit KeyPress(keys::kEnter);
    } else if (!event->text().isEmpty()) {
        emit KeyPress(event->text().front().unicode());
    }
    QLineEdit::keyPressEvent(event);
}
