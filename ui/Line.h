#pragma once

#include <QColor>
#include <QWidget>

// A horizontal or vertical line between two points given in twips, with a
// colour and a width in pixels. It never takes a click.
class Line : public QWidget {
    Q_OBJECT
public:
    Line(QWidget* parent, const QString& name, int x1, int y1, int x2, int y2, int widthPixels,
         const QColor& color);

    QColor borderColor() const { return color_; }
    void setBorderColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
};
