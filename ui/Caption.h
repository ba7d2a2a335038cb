#pragma once

#include <QLabel>
#include <QPixmap>

#include <optional>

// A label placed in twips: text drawn from the top, aligned left, right or
// centre, on an opaque or transparent background, optionally sized to its
// text. Its colours are its palette's text and window colours.
class Caption : public QLabel {
    Q_OBJECT
public:
    Caption(QWidget* parent, const QString& name, int left, int top, int width, int height,
            const QString& caption);

    Caption& font(const QFont& font);
    Caption& foreColor(const QColor& color);
    Caption& backColor(const QColor& color);
    Caption& transparent();
    Caption& align(Qt::Alignment horizontal);
    Caption& singleBorder();
    Caption& autoSize();

    // For a screen reader: the accessible name becomes `what` and the
    // caption (the caption alone if `what` is empty), announced anew with
    // every change of the caption.
    Caption& announces(const QString& what);

    // Sets the caption; an auto-sized label then fits its text, keeping its
    // left edge, right edge or centre as its alignment says.
    void setCaption(const QString& caption);

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Caption& changed();
    void draw(QPainter& painter, const QFont& font) const;
    void drawBorder(QPainter& painter, const QColor& colour) const;
    void fitToText();
    void renewAccessibleName();

    // The whole label as last drawn: laying out Japanese text is the costly
    // part, and a label is repainted whenever a picture moves beside it.
    QPixmap rendered_;
    // The font made once for such pictures: made anew at each drawing, it
    // would look up its font engine again every time.
    std::optional<QFont> pictureFont_;
    bool fresh_ = true;  // changed since its last paint
    bool opaque_ = false;
    bool autoSize_ = false;
    std::optional<QString> announcedWhat_;
    bool pressed_ = false;
};
