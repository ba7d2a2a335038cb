#pragma once

#include <QAccessible>
#include <QCursor>
#include <QObject>
#include <QRect>

#include <optional>

class FormClient;
class QMouseEvent;
class QPainter;

// A windowless control: it has no window of its own but a rectangle on its
// form's client area, which draws it and passes it the mouse. Many of them
// cost one paint of the client, where as many child windows would each be
// clipped against their siblings on every change.
//
// Geometry is in the client's pixels. Later controls lie in front of earlier
// ones; windowed controls (buttons, text boxes) lie in front of them all.
class Graphic : public QObject {
    Q_OBJECT
public:
    Graphic(FormClient* host, const QString& name, const QRect& geometry);
    ~Graphic() override;

    FormClient* host() const { return host_; }

    QRect geometry() const { return geometry_; }
    QPoint pos() const { return geometry_.topLeft(); }
    int x() const { return geometry_.x(); }
    int y() const { return geometry_.y(); }
    int width() const { return geometry_.width(); }
    int height() const { return geometry_.height(); }
    QSize size() const { return geometry_.size(); }
    void setGeometry(const QRect& geometry);
    void move(const QPoint& to);

    // Shown, on a shown client.
    bool isVisible() const;
    bool isHidden() const { return hidden_; }
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }

    // The mouse pointer over this control; none means the client's own.
    QCursor cursor() const { return cursor_.value_or(QCursor()); }
    bool hasCursor() const { return cursor_.has_value(); }
    void setCursor(const QCursor& cursor);

    QString toolTip() const { return toolTip_; }
    void setToolTip(const QString& tip) { toolTip_ = tip; }

    // What a screen reader calls it; setting a new name announces it.
    QString accessibleName() const { return accessibleName_; }
    void setAccessibleName(const QString& name);

    // Repaints this control's rectangle at the client's next paint.
    void update();

    // Draws the control in the client's coordinates, clipped to what changed.
    virtual void paint(QPainter& painter) const = 0;
    // True when it paints every pixel of its rectangle.
    virtual bool isOpaque() const { return false; }
    // False lets clicks fall through to what lies behind.
    virtual bool takesMouse() const { return true; }

    // For the accessible interface.
    virtual QAccessible::Role accessibleRole() const = 0;
    virtual QString accessibleText() const { return accessibleName_; }
    virtual bool pressable() const { return false; }
    // The screen reader's press action: only shown controls on an enabled window act.
    virtual void pressAction() {}

protected:
    friend class FormClient;
    // Positions are in the client's coordinates. A release goes to the
    // control that took the press, wherever the pointer is by then.
    virtual void mousePressEvent(QMouseEvent*) {}
    virtual void mouseReleaseEvent(QMouseEvent*) {}

private:
    FormClient* host_;
    QRect geometry_;
    bool hidden_ = false;
    std::optional<QCursor> cursor_;
    QString toolTip_;
    QString accessibleName_;
};
