#pragma once

#include "ui/Graphic.h"

#include <QColor>
#include <QFont>
#include <QPixmap>

#include <optional>

// A caption in twips: text drawn from the top, aligned left, right or centre,
// on an opaque or transparent background, optionally sized to its text.
class Label : public Graphic {
    Q_OBJECT
public:
    Label(FormClient* host, const QString& name, int left, int top, int width, int height,
          const QString& caption);

    Label& font(const QFont& font);
    Label& foreColor(const QColor& color);
    Label& backColor(const QColor& color);
    Label& transparent();
    Label& align(Qt::Alignment horizontal);
    Label& singleBorder();
    Label& autoSize();

    // For a screen reader: the accessible name becomes `what` and the
    // caption (the caption alone if `what` is empty), announced anew with
    // every change of the caption.
    Label& announces(const QString& what);

    // Sets the caption; an auto-sized label then fits its text, keeping its
    // left edge, right edge or centre as its alignment says.
    void setCaption(const QString& caption);

    QString text() const { return caption_; }
    QFont font() const { return font_; }
    Qt::Alignment alignment() const { return alignment_; }

    void paint(QPainter& painter) const override;
    bool isOpaque() const override { return opaque_ && backColor_.alpha() == 255; }
    QAccessible::Role accessibleRole() const override { return QAccessible::StaticText; }
    QString accessibleText() const override;

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void changed();
    void draw(QPainter& painter, const QRect& whole, const QFont& font) const;
    void fitToText();
    void renewAccessibleName();
    int frameWidth() const { return border_ ? 1 : 0; }

    QString caption_;
    mutable QPixmap rendered_;  // the whole label, kept between paints
    // The font made once for such pictures: made anew at each drawing, it
    // would look up its font engine again every time.
    mutable std::optional<QFont> pictureFont_;
    QFont font_;
    QColor foreColor_;
    QColor backColor_;
    bool opaque_ = false;
    bool border_ = false;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    bool autoSize_ = false;
    bool announces_ = false;
    QString announcedWhat_;
    bool pressed_ = false;
};
