#include "game/PlayField.h"

#include "game/FieldAccessible.h"

#include "ui/Colours.h"
#include "ui/Form.h"
#include "ui/Pictures.h"
#include "ui/PressedPixel.h"
#include "ui/Twips.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
constexpr int kImageSize = 480;
constexpr int kImageLeft = 240;
constexpr int kLaneSpacing = 720;
constexpr int kLaneLineX = 480;
constexpr int kLaneLineTop = 600;
constexpr int kLaneLineBottom = 5760;
constexpr int kShooterTop = 5880;

// Every lane's pictures lie inside the field.
static_assert(kImageLeft + kLaneSpacing * (rules::kLanes - 1) + kImageSize <= kFieldWidth);

int imageLeft(int lane) { return kImageLeft + kLaneSpacing * lane; }

QRect imageRect(int lane, int top)
{
    return twips::rect(imageLeft(lane), top, kImageSize, kImageSize);
}

// A thick line grows up and to the left of its coordinates.
QRect lineRect(int x1, int y1, int x2, int y2, int widthPixels)
{
    const int xa = twips::toPixels(x1), ya = twips::toPixels(y1);
    const int xb = twips::toPixels(x2), yb = twips::toPixels(y2);
    const int grow = widthPixels - 1;
    return QRect(QPoint(std::min(xa, xb) - grow, std::min(ya, yb) - grow), QPoint(std::max(xa, xb), std::max(ya, yb)));
}

// QRect's own tests are out of line, and the paint runs these for every
// band of its region against every item.
bool within(const QRect& inner, const QRect& outer)
{
    return inner.left() >= outer.left() && inner.right() <= outer.right() && inner.top() >= outer.top()
           && inner.bottom() <= outer.bottom();
}

bool overlap(const QRect& a, const QRect& b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom();
}

// Two rectangles whose union is a rectangle, with no pixel added: a picture
// moved along its lane by less than its height, for one.
bool uniteExactly(const QRect& a, const QRect& b)
{
    const bool column = a.left() == b.left() && a.right() == b.right() && a.top() <= b.bottom() + 1
                        && b.top() <= a.bottom() + 1;
    const bool row = a.top() == b.top() && a.bottom() == b.bottom() && a.left() <= b.right() + 1
                     && b.left() <= a.right() + 1;
    return column || row;
}

// Qt's region cuts each rectangle wherever another one starts or ends
// across the field, so a falling target comes in a dozen bands. Joined
// again where they share their columns, each area is painted once.
std::vector<QRect> joinedBands(const QRegion& region)
{
    std::vector<QRect> areas;
    for (const QRect& band : region) {
        const auto above = std::find_if(areas.begin(), areas.end(), [&](const QRect& a) {
            return a.left() == band.left() && a.right() == band.right() && a.bottom() + 1 == band.top();
        });
        if (above == areas.end())
            areas.push_back(band);
        else
            above->setBottom(band.bottom());
    }
    return areas;
}
// The bounding box of a picture's drawn pixels, in its logical pixels.
QRect drawnPart(const QPixmap& picture)
{
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        return {};  // nothing drawn: a change repaints nothing
    const QRect box(QPoint(left, top), QPoint(right, bottom));
    const qreal dpr = picture.devicePixelRatio();
    return QRectF(box.x() / dpr, box.y() / dpr, box.width() / dpr, box.height() / dpr).toAlignedRect();
}

QString nameWithIndex(const QString& name, int index)
{
    return QStringLiteral("%1_%2").arg(name).arg(index);
}
} // namespace

FieldItem::FieldItem(PlayField* field, const QString& name, int index, const QRect& geometry, const QPixmap& picture,
                     const QRect& drawn)
    : QObject(field), field_(field), geometry_(geometry), drawn_(drawn), picture_(picture), index_(index)
{
    setObjectName(nameWithIndex(name, index));
}

FieldItem::FieldItem(PlayField* field, const QString& name, const QRect& geometry, const QColor& colour)
    : QObject(field), field_(field), geometry_(geometry), drawn_(QPoint(0, 0), geometry.size()), colour_(colour)
{
    setObjectName(name);
}

void FieldItem::setVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    field_->update(drawnRect());
}

void FieldItem::move(const QPoint& to)
{
    if (to == geometry_.topLeft())
        return;
    const QRect from = drawnRect();
    geometry_.moveTopLeft(to);
    if (!visible_)
        return;
    // A fall shorter than the picture repaints one rectangle.
    const QRect now = drawnRect();
    if (uniteExactly(from, now)) {
        field_->update(from | now);
    } else {
        field_->update(from);
        field_->update(now);
    }
}

void FieldItem::setBorderColor(const QColor& colour)
{
    if (colour == colour_)
        return;
    colour_ = colour;
    if (visible_)
        field_->update(drawnRect());
}

bool FieldItem::clickable() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&FieldItem::Click));
}

void FieldItem::pressAction()
{
    if (visible_ && field_->isEnabled())
        emit Click(index_);
}

template <typename... Args>
FieldItem* PlayField::add(Args&&... args)
{
    items_.push_back(new FieldItem(this, std::forward<Args>(args)...));
    return items_.back();
}

// Back to front, as the designer stacked them.
PlayField::PlayField(const QPixmap& background, QWidget* parent) : QWidget(parent), background_(background)
{
    setObjectName(QStringLiteral("field"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // the up-arrow over a shooter
    fieldaccessible::install();
    const QPixmap red = pictures::load(QStringLiteral("shooter_red"));
    const QPixmap shooter = pictures::load(QStringLiteral("shooter"));
    const QPixmap target = pictures::load(QStringLiteral("target"));
    const QRect redDrawn = drawnPart(red), shooterDrawn = drawnPart(shooter), targetDrawn = drawnPart(target);
    const Board designed;
    for (int i = rules::kLanes - 1; i >= 0; --i) {
        sbr[i] = add(QStringLiteral("sbr"), i, imageRect(i, kShooterTop), red, redDrawn);
        sbr[i]->setAccessibleName(QStringLiteral("発射台 %1（使用済み）").arg(i + 1));
    }
    for (int i = rules::kLanes - 1; i >= 0; --i) {
        const int x = kLaneLineX + kLaneSpacing * i;
        const bool black = designed.lineColour[i] == LineColour::Black;
        Line1[i] = add(nameWithIndex(QStringLiteral("Line1"), i), lineRect(x, kLaneLineBottom, x, kLaneLineTop, 1),
                       black ? QColor(Qt::black) : colours::kText);
    }
    for (int i = rules::kLanes - 1; i >= 0; --i) {
        tg[i] = add(QStringLiteral("tg"), i, imageRect(i, static_cast<int>(rules::kTopOfLane)), target, targetDrawn);
        tg[i]->setAccessibleName(QStringLiteral("的 %1").arg(i + 1));
    }
    for (int i = rules::kLanes - 1; i >= 0; --i) {
        sb[i] = add(QStringLiteral("sb"), i, imageRect(i, kShooterTop), shooter, shooterDrawn);
        sb[i]->setAccessibleName(QStringLiteral("発射台 %1").arg(i + 1));
    }
    Line2 = add(QStringLiteral("Line2"), lineRect(0, kShooterTop, kFieldWidth, kShooterTop, 2), QColor(Qt::black));
}

void PlayField::showLanes(const Board& board)
{
    for (int i = 0; i < rules::kLanes; ++i) {
        sb[i]->setVisible(board.shooterArmed[i]);
        tg[i]->move(QPoint(tg[i]->x(), twips::toPixels(static_cast<int>(std::lround(board.targetTop[i])))));
        switch (board.lineColour[i]) {
        case LineColour::WindowText: Line1[i]->setBorderColor(colours::kText); break;
        case LineColour::Black: Line1[i]->setBorderColor(Qt::black); break;
        case LineColour::Red: Line1[i]->setBorderColor(colours::kRed); break;
        }
    }
    updatePointer();  // a shooter may have hidden or shown under it
}

FieldItem* PlayField::itemAt(const QPoint& pixel) const
{
    if (!rect().contains(pixel))
        return nullptr;  // the pointer is elsewhere: asked after every change
    const auto it = std::find_if(items_.rbegin(), items_.rend(), [&](const FieldItem* item) {
        return item->isVisible() && !item->isLine() && item->geometry().contains(pixel);
    });
    return it == items_.rend() ? nullptr : *it;
}

// Area by area, each under a clip of one rectangle: there the painter takes
// its fast paths, where Qt's ragged region would cost it work on every scan
// line.
void PlayField::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    for (const QRect& area : joinedBands(event->region()))
        paintArea(painter, area);
}

void PlayField::paintArea(QPainter& painter, const QRect& area) const
{
    painter.setClipRect(area);
    // What lies behind a line that covers the whole area is not drawn.
    const auto cover = std::find_if(items_.rbegin(), items_.rend(), [&](const FieldItem* item) {
        return item->isVisible() && item->isLine() && within(area, item->geometry());
    });
    const bool covered = cover != items_.rend();
    if (!covered)
        drawBackground(painter, background_, area);
    for (auto it = covered ? std::prev(cover.base()) : items_.begin(); it != items_.end(); ++it) {
        const FieldItem* item = *it;
        if (!item->isVisible() || !overlap(item->geometry(), area))
            continue;
        if (item->isLine())
            painter.fillRect(item->geometry(), item->borderColor());
        else
            painter.drawPixmap(item->pos(), item->picture());
    }
}

void PlayField::mousePressEvent(QMouseEvent* event)
{
    pointer_ = pressedPixel(event);
    FieldItem* item = itemAt(pointer_);
    if (!item) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::LeftButton)
        emit item->Click(item->index());
}

void PlayField::mouseMoveEvent(QMouseEvent* event)
{
    pointer_ = pressedPixel(event);
    updatePointer();
    QWidget::mouseMoveEvent(event);
}

void PlayField::leaveEvent(QEvent* event)
{
    pointer_ = QPoint(-1, -1);
    QWidget::leaveEvent(event);
}

void PlayField::updatePointer()
{
    const FieldItem* item = itemAt(pointer_);
    const bool overShooter = item && item->clickable();
    if (overShooter == upArrow_)
        return;
    upArrow_ = overShooter;
    if (overShooter)
        setCursor(Qt::UpArrowCursor);
    else
        unsetCursor();
}
