#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <vector>

class Graphic;

// A form's client area: the kept background, then the windowless controls
// back to front, all in one paint. It hit-tests the controls for the mouse,
// the pointer shape and tool tips.
class FormClient : public QWidget {
    Q_OBJECT
public:
    FormClient(const QPixmap& background, QWidget* parent);
    ~FormClient() override;

    // Back to front.
    const std::vector<Graphic*>& graphics() const { return graphics_; }
    // The front-most shown control under a point that takes the mouse.
    Graphic* graphicAt(const QPoint& point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class Graphic;
    void adopt(Graphic* graphic);
    // Repaints an area at the next paint.
    void invalidate(const QRect& area);
    void paintArea(QPainter& painter, const QRect& area) const;
    void forget(Graphic* graphic);
    // A control moved, showed, hid or took a new pointer shape.
    void controlsChanged(bool newShape = false);
    void updatePointer();

    const QPixmap& background_;
    std::vector<Graphic*> graphics_;
    std::vector<QRect> dirty_;  // what controls changed since the last paint
    bool updatePending_ = false;
    QPointer<Graphic> pressed_;
    const Graphic* pointerOwner_ = nullptr;
    QPoint lastPointer_{-1, -1};
};
