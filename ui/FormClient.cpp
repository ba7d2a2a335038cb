#include "ui/FormClient.h"

#include "ui/Graphic.h"
#include "ui/GraphicAccessible.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <functional>
#include <numeric>
#include <utility>

namespace {
// Pixels a merged area may hold beyond the two it joins.
constexpr qint64 kMergeSlack = 256;
// Past this many separate areas one bounding box is cheaper to paint.
constexpr size_t kMaxDirtyAreas = 24;

qint64 area64(const QRect& r)
{
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}
} // namespace

FormClient::FormClient(const QPixmap& background, QWidget* parent) : QWidget(parent), background_(background)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // for the pointer shape of the control under it
    graphicaccessible::install();
    window()->installEventFilter(this);  // the window receives Qt's repaint requests
}

FormClient::~FormClient()
{
    // Before QWidget's destructor, as a control leaving calls back into this
    // class; taken out of the list first, so none of them asks for a repaint.
    const std::vector<Graphic*> doomed = std::exchange(graphics_, {});
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        delete *it;
}

void FormClient::adopt(Graphic* graphic)
{
    graphics_.push_back(graphic);
    invalidate(graphic->geometry());
}

void FormClient::forget(Graphic* graphic)
{
    if (pointerOwner_ == graphic)
        pointerOwner_ = nullptr;
    if (std::erase(graphics_, graphic) > 0 && !graphic->isHidden())
        invalidate(graphic->geometry());
}

Graphic* FormClient::graphicAt(const QPoint& point) const
{
    for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it)
        if (!(*it)->isHidden() && (*it)->takesMouse() && (*it)->geometry().contains(point))
            return *it;
    return nullptr;
}

void FormClient::invalidate(const QRect& area)
{
    QRect r = area & rect();
    if (r.isEmpty())
        return;
    for (const QRect& d : dirty_)
        if (d.contains(r))
            return;  // already to be repainted
    // Overlapping areas merge while their bounding box wastes little, so a
    // moved picture is one area, but a thin line across it stays its own.
    for (auto it = dirty_.begin(); it != dirty_.end();) {
        const QRect box = r | *it;
        const qint64 joined = area64(r) + area64(*it) - area64(r & *it);
        if (r.intersects(*it) && area64(box) - joined <= kMergeSlack) {
            r = box;
            dirty_.erase(it);
            it = dirty_.begin();
        } else {
            ++it;
        }
    }
    dirty_.push_back(r);
    if (dirty_.size() > kMaxDirtyAreas) {
        const QRect all = std::accumulate(dirty_.begin(), dirty_.end(), QRect(), std::bit_or<>());
        dirty_.assign(1, all);
    }
    // Qt learns of the first area at once, which asks for a repaint, and of
    // the rest, merged, when that request comes: telling it of each change
    // costs a region union every time, and a call of our own queued for later
    // would wake the event loop once more per frame.
    if (!updatePending_) {
        updatePending_ = true;
        update(r);
    }
}

bool FormClient::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::UpdateRequest && watched == window() && updatePending_) {
        updatePending_ = false;
        for (const QRect& area : dirty_)
            update(area);
    }
    return QWidget::eventFilter(watched, event);
}

void FormClient::paintEvent(QPaintEvent* event)
{
    // Area by area, each under a clip that is one rectangle inside what Qt
    // repaints: there the painter takes its fast paths, where a ragged clip
    // costs it work on every scan line.
    QPainter painter(this);
    // Areas Qt has not been told of yet may lie partly outside this paint's
    // region; they stay for the repaint they wait for.
    const std::vector<QRect> areas = updatePending_ ? dirty_ : std::exchange(dirty_, {});
    for (const QRect& area : areas)
        paintArea(painter, area);
    for (const QRect& band : event->region()) {  // what the window system exposed
        const bool painted = std::any_of(areas.begin(), areas.end(), [&](const QRect& a) { return a.contains(band); });
        if (!painted)
            paintArea(painter, band);
    }
}

void FormClient::paintArea(QPainter& painter, const QRect& area) const
{
    painter.setClipRect(area);
    // What lies behind a control that covers the whole area is not drawn.
    const auto cover = std::find_if(graphics_.rbegin(), graphics_.rend(), [&](const Graphic* g) {
        return !g->isHidden() && g->isOpaque() && g->geometry().contains(area);
    });
    const bool covered = cover != graphics_.rend();
    if (!covered) {
        const qreal dpr = background_.devicePixelRatio();
        painter.drawPixmap(area, background_,
                           QRectF(area.x() * dpr, area.y() * dpr, area.width() * dpr, area.height() * dpr));
    }
    const auto from = covered ? std::prev(cover.base()) : graphics_.begin();
    for (auto it = from; it != graphics_.end(); ++it)
        if (!(*it)->isHidden() && (*it)->geometry().intersects(area))
            (*it)->paint(painter);
}

void FormClient::mousePressEvent(QMouseEvent* event)
{
    lastPointer_ = event->position().toPoint();
    Graphic* target = graphicAt(lastPointer_);
    if (!target) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (!pressed_)
        pressed_ = target;
    target->mousePressEvent(event);
}

void FormClient::mouseReleaseEvent(QMouseEvent* event)
{
    lastPointer_ = event->position().toPoint();
    if (event->buttons() != Qt::NoButton)
        return;  // the grab lasts until the last button is up
    if (Graphic* target = pressed_.data()) {
        pressed_ = nullptr;
        target->mouseReleaseEvent(event);
    } else {
        QWidget::mouseReleaseEvent(event);
    }
}

void FormClient::mouseMoveEvent(QMouseEvent* event)
{
    lastPointer_ = event->position().toPoint();
    updatePointer();
    QWidget::mouseMoveEvent(event);
}

void FormClient::leaveEvent(QEvent* event)
{
    lastPointer_ = QPoint(-1, -1);
    QWidget::leaveEvent(event);
}

bool FormClient::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const Graphic* g = graphicAt(help->pos());
        if (g && !g->toolTip().isEmpty())
            QToolTip::showText(help->globalPos(), g->toolTip(), this, g->geometry());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void FormClient::controlsChanged(bool newShape)
{
    if (newShape)
        pointerOwner_ = nullptr;
    if (rect().contains(lastPointer_))
        updatePointer();
}

// The pointer takes the shape of the control under it, as a child window's would.
void FormClient::updatePointer()
{
    const Graphic* g = graphicAt(lastPointer_);
    const Graphic* owner = g && g->hasCursor() ? g : nullptr;
    if (owner == pointerOwner_)
        return;
    pointerOwner_ = owner;
    if (owner)
        setCursor(owner->cursor());
    else
        unsetCursor();
}
