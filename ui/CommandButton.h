#pragma once

#include <QPushButton>

// A push button placed in twips. Enter on a focused button clicks it, as
// Space does; a held key's repeats do not, so one long press cannot run on
// into the next window's button.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    CommandButton(QWidget* parent, const QString& name, int left, int top, int width, int height,
                  const QString& caption);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
