#pragma once

#include "game/Board.h"

#include <QColor>
#include <QObject>
#include <QPixmap>
#include <QRect>
#include <QWidget>

#include <array>
#include <vector>

class PlayField;

// The field's width in twips: the main window's client area is as wide.
constexpr int kFieldWidth = 3840;

// A picture or a line of the play field, under its designer name: where it
// lies, whether it shows, its colour. The field draws it and passes it clicks.
class FieldItem : public QObject {
    Q_OBJECT
public:
    // `drawn`: the part of the picture that is not see-through.
    FieldItem(PlayField* field, const QString& name, int index, const QRect& geometry, const QPixmap& picture,
              const QRect& drawn);
    FieldItem(PlayField* field, const QString& name, const QRect& geometry, const QColor& colour);

    PlayField* field() const { return field_; }
    QRect geometry() const { return geometry_; }
    QPoint pos() const { return geometry_.topLeft(); }
    int x() const { return geometry_.x(); }
    int y() const { return geometry_.y(); }
    bool isVisible() const { return visible_; }
    bool isLine() const { return picture_.isNull(); }
    // What a change repaints: the picture's drawn part, without its
    // see-through margins; a line's whole rectangle.
    QRect drawnRect() const { return drawn_.translated(geometry_.topLeft()); }
    const QPixmap& picture() const { return picture_; }
    QColor borderColor() const { return colour_; }
    int index() const { return index_; }
    // What a screen reader calls it.
    QString accessibleName() const { return accessibleName_; }
    void setAccessibleName(const QString& name) { accessibleName_ = name; }

    // Each repaints exactly the rectangles that change.
    void setVisible(bool visible);
    void move(const QPoint& to);
    void setBorderColor(const QColor& colour);

    // Something listens to Click: a screen reader sees a button.
    bool clickable() const;
    // The screen reader's press: only a shown picture on an enabled field acts.
    void pressAction();

signals:
    // On the press: in a reflex game the shot counts when the button goes down.
    void Click(int index);

private:
    PlayField* field_;
    QRect geometry_;
    QRect drawn_;  // relative to the top left corner
    QPixmap picture_;
    QColor colour_;
    QString accessibleName_;
    int index_ = -1;
    bool visible_ = true;
};

// The main window's play field: the background, the lane lines, the targets,
// the shooters and their red copies, all drawn in one paint. An image takes
// clicks on its whole rectangle, see-through parts included, and of two the
// front one takes them; lines take none.
//
// Designer names, arrays over lanes 0 to 4:
//   tg      the falling targets          sb      the shooters, clicked to hit
//   sbr     the red shooters under sb    Line1   the lane lines
//   Line2   the bottom line of the field
class PlayField : public QWidget {
    Q_OBJECT
public:
    PlayField(const QPixmap& background, QWidget* parent);

    // Targets, shooters and lane colours as the board has them.
    void showLanes(const Board& board);

    // Back to front.
    const std::vector<FieldItem*>& items() const { return items_; }
    // The front-most shown picture on a pixel.
    FieldItem* itemAt(const QPoint& pixel) const;

    PerLane<FieldItem*> tg{};
    PerLane<FieldItem*> sb{};
    PerLane<FieldItem*> sbr{};
    PerLane<FieldItem*> Line1{};
    FieldItem* Line2 = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    template <typename... Args>
    FieldItem* add(Args&&... args);
    void paintArea(QPainter& painter, const QRect& area) const;
    void updatePointer();

    const QPixmap& background_;
    std::vector<FieldItem*> items_;
    QPoint pointer_{-1, -1};
    bool upArrow_ = false;
};
