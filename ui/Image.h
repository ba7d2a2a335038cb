#pragma once

#include <QPixmap>
#include <QWidget>

// A picture at its own size in a rectangle given in twips. It takes clicks on
// its whole rectangle, see-through parts included. One of an array of like
// images knows its index and reports it with the click.
class Image : public QWidget {
    Q_OBJECT
public:
    Image(QWidget* parent, const QString& name, int index, int left, int top, int width, int height,
          const QPixmap& picture);

    int index() const { return index_; }
    const QPixmap& picture() const { return picture_; }
    // Something listens to Click: a screen reader sees a button, else a graphic.
    bool clickable() const;

signals:
    // On the press: in a reflex game the shot counts when the button goes down.
    void Click(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
    int index_;
};
