#pragma once

#include <QLineEdit>

class QValidator;

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
    // What an edit brings in, typed, committed by an input method, pasted or
    // dropped, passes `filter` first, which may change characters and drop
    // those the box must not hold.
    void setCharacterFilter(QValidator* filter);
    // The most characters the player can type or paste. A longer text that
    // the program puts in is kept whole; typing can then only shorten it.
    void setTypedMaxLength(int limit);
    void setProgramText(const QString& text);

signals:
    void KeyPress(int keyAscii);
    // An edit lost characters, to the filter or to the limit; the bell rang.
    void inputRefused();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class EditGuard;
    TextBox& paletteColor(QPalette::ColorRole role, const QColor& color);
    void admit(QString& text, int& cursor);

    QValidator* filter_ = nullptr;
    QString accepted_;  // the text before the edit being checked
    int typedMaxLength_ = 32767;
};
