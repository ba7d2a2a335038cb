#pragma once

#include <QLabel>

// A caption in twips: text drawn from the top, aligned left, right or centre,
// on an opaque or transparent background, optionally sized to its text.
class Label : public QLabel {
    Q_OBJECT
public:
    Label(QWidget* parent, const QString& name, int left, int top, int width, int height,
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

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void fitToText();
    void renewAccessibleName();

    bool autoSize_ = false;
    bool announces_ = false;
    QString announcedWhat_;
    bool pressed_ = false;
};
