#pragma once

#include "ui/Graphic.h"

#include <QPixmap>

// A picture at its own size in a rectangle given in twips. It takes clicks on
// its whole rectangle, see-through parts included. One of an array of like
// images knows its index and reports it with the click.
class Image : public Graphic {
    Q_OBJECT
public:
    Image(FormClient* host, const QString& name, int index, int left, int top, int width, int height,
          const QPixmap& picture);

    int index() const { return index_; }
    const QPixmap& picture() const { return picture_; }
    // Something listens to Click: a screen reader sees a button, else a graphic.
    bool clickable() const;

    void paint(QPainter& painter) const override;
    QAccessible::Role accessibleRole() const override;
    bool pressable() const override { return clickable(); }
    void pressAction() override;

signals:
    // On the press: in a reflex game the shot counts when the button goes down.
    void Click(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
    int index_;
};
