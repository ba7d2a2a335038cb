#pragma once

#include <QLineEdit>

// A one-line text box placed in twips. KeyPress reports each typed
// character code (13 for Enter) before the box itself handles the key.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    TextBox(QWidget* parent, const QString& name, int left, int top, int width, int height);

    TextBox& backColor(const QColor& color);
    TextBox& foreColor(const QColor& color);
    // Selects the whole text, as a start of 0 and a length of the text's.
    void selectAllText();
    // The most characters the player can type or paste. A longer text that
    // the program puts in is kept whole; typing can then only shorten it.
    void setTypedMaxLength(int limit);
    void setProgramText(const QString& text);

signals:
    void KeyPress(int keyAscii);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    TextBox& paletteColor(QPalette::ColorRole role, const QColor& color);
    void tightenMaxLength();

    int typedMaxLength_ = 32767;
};
