#pragma once

#include <QLineEdit>

// A one-line text box placed in twips. KeyPress reports each typed
// character code (13 for Enter) before the box itself handles the key.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    TextBox(QWidget* parent, const QString& name, int left, int top, int width, int height);

    TextBox& backColor(const QColor& color);
    // Selects the whole text, as a start of 0 and a length of the text's.
    void selectAllText();

signals:
    void KeyPress(int keyAscii);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
