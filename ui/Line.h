#pragma once

#include "ui/Graphic.h"

#include <QColor>

// A horizontal or vertical line between two points given in twips, with a
// colour and a width in pixels. It never takes a click.
class Line : public Graphic {
    Q_OBJECT
public:
    Line(FormClient* host, const QString& name, int x1, int y1, int x2, int y2, int widthPixels,
         const QColor& color);

    QColor borderColor() const { return color_; }
    void setBorderColor(const QColor& color);

    void paint(QPainter& painter) const override;
    bool isOpaque() const override { return color_.alpha() == 255; }
    bool takesMouse() const override { return false; }
    QAccessible::Role accessibleRole() const override { return QAccessible::Separator; }

private:
    QColor color_;
};
