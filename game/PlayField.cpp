#include "game/PlayField.h"

#include "ui/Colours.h"
#include "ui/Form.h"
#include "ui/Pictures.h"
#include "ui/Twips.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kImageSize = 480;
constexpr int kImageLeft = 240;
constexpr int kLaneSpacing = 720;
constexpr int kLaneLineX = 480;
constexpr int kLaneLineTop = 600;
constexpr int kLaneLineBottom = 5760;
constexpr int kShooterTop = 5880;
constexpr int kFieldWidth = 3840;

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object);

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

QString nameWithIndex(const QString& name, int index)
{
    return QStringLiteral("%1_%2").arg(name).arg(index);
}
} // namespace

FieldItem::FieldItem(QWidget* field, const QString& name, int index, const QRect& geometry, const QPixmap& picture)
    : QObject(field), field_(field), geometry_(geometry), picture_(picture), index_(index)
{
    setObjectName(nameWithIndex(name, index));
}

FieldItem::FieldItem(QWidget* field, const QString& name, const QRect& geometry, const QColor& colour)
    : QObject(field), field_(field), geometry_(geometry), colour_(colour)
{
    setObjectName(name);
}

void FieldItem::setVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    field_->update(geometry_);
}

void FieldItem::move(const QPoint& to)
{
    if (to == geometry_.topLeft())
        return;
    if (visible_)
        field_->update(geometry_);
    geometry_.moveTopLeft(to);
    if (visible_)
        field_->update(geometry_);
}

void FieldItem::setBorderColor(const QColor& colour)
{
    if (colour == colour_)
        return;
    colour_ = colour;
    if (visible_)
        field_->update(geometry_);
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
    static const bool accessible = (QAccessible::installFactory(accessibleFactory), true);
    Q_UNUSED(accessible);
    const QPixmap red = pictures::load(QStringLiteral("shooter_red"));
    const QPixmap shooter = pictures::load(QStringLiteral("shooter"));
    const QPixmap target = pictures::load(QStringLiteral("target"));
    const QColor windowText = palette().color(QPalette::WindowText);
    const Board designed;
    for (int i = rules::kLanes - 1; i >= 0; --i) {
        sbr[i] = add(QStringLiteral("sbr"), i, imageRect(i, kShooterTop), red);
        sbr[i]->setAccessibleName(QStringLiteral("発射台 %1（使用済み）").arg(i + 1));
    }
    for (int i = rules::kLanes - 1; i >= 0; --i) {
        const int x = kLaneLineX + kLaneSpacing * i;
        const bool black = designed.lineColour[i] == LineColour::Black;
        Line1[i] = add(nameWithIndex(QStringLiteral("Line1"), i), lineRect(x, kLaneLineBottom, x, kLaneLineTop, 1),
                       black ? QColor(Qt::black) : windowText);
    }
    for (int i = rules::kLanes - 1; i >= 0; --i) {
        tg[i] = add(QStringLiteral("tg"), i, imageRect(i, static_cast<int>(rules::kTopOfLane)), target);
        tg[i]->setAccessibleName(QStringLiteral("的 %1").arg(i + 1));
    }
    for (int i = rules::kLanes - 1; i >= 0; --i) {
        sb[i] = add(QStringLiteral("sb"), i, imageRect(i, kShooterTop), shooter);
        sb[i]->setAccessibleName(QStringLiteral("発射台 %1").arg(i + 1));
    }
    Line2 = add(QStringLiteral("Line2"), lineRect(0, kShooterTop, kFieldWidth, kShooterTop, 2), QColor(Qt::black));
}

void PlayField::showLanes(const Board& board)
{
    const QColor windowText = palette().color(QPalette::WindowText);
    for (int i = 0; i < rules::kLanes; ++i) {
        sb[i]->setVisible(board.shooterArmed[i]);
        tg[i]->move(QPoint(tg[i]->x(), twips::toPixels(static_cast<int>(std::lround(board.targetTop[i])))));
        switch (board.lineColour[i]) {
        case LineColour::WindowText: Line1[i]->setBorderColor(windowText); break;
        case LineColour::Black: Line1[i]->setBorderColor(Qt::black); break;
        case LineColour::Red: Line1[i]->setBorderColor(colours::kRed); break;
        }
    }
    updatePointer();  // a shooter may have hidden or shown under it
}

FieldItem* PlayField::itemAt(const QPoint& point) const
{
    const auto it = std::find_if(items_.rbegin(), items_.rend(), [&](const FieldItem* item) {
        return item->isVisible() && !item->isLine() && item->geometry().contains(point);
    });
    return it == items_.rend() ? nullptr : *it;
}

// Band by band, each under a clip of one rectangle: there the painter takes
// its fast paths, where Qt's ragged region would cost it every scan line.
void PlayField::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    for (const QRect& band : event->region()) {
        drawBackground(painter, background_, band);
        for (const FieldItem* item : items_) {
            if (!item->isVisible() || !item->geometry().intersects(band))
                continue;
            if (item->isLine())
                painter.fillRect(item->geometry(), item->borderColor());
            else
                painter.drawPixmap(item->pos(), item->picture());
        }
    }
}

void PlayField::mousePressEvent(QMouseEvent* event)
{
    pointer_ = event->position().toPoint();
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
    pointer_ = event->position().toPoint();
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

// Screen readers see the field's pictures and lines as its children, behind
// its labels, with the role, name, place and press action each one has.
namespace {

class ItemInterface : public QAccessibleObject, public QAccessibleActionInterface {
public:
    explicit ItemInterface(FieldItem* item) : QAccessibleObject(item) {}

    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(item()->field()); }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override
    {
        if (item()->isLine())
            return QAccessible::Separator;
        return item()->clickable() ? QAccessible::Button : QAccessible::Graphic;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? item()->accessibleName() : QString();
    }
    QAccessible::State state() const override
    {
        const QWidget* field = item()->field();
        QAccessible::State s;
        s.invisible = !item()->isVisible() || !field->isVisible();
        s.disabled = !field->isEnabled();
        return s;
    }
    QRect rect() const override
    {
        const QRect g = item()->geometry();
        return QRect(item()->field()->mapToGlobal(g.topLeft()), g.size());
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override
    {
        return item()->clickable() ? QStringList{pressAction()} : QStringList();
    }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && item()->clickable())
            item()->pressAction();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    FieldItem* item() const { return static_cast<FieldItem*>(object()); }
};

class FieldInterface : public QAccessibleWidget {
public:
    explicit FieldInterface(PlayField* field) : QAccessibleWidget(field, QAccessible::Client) {}

    int childCount() const override { return itemCount() + QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0)
            return nullptr;
        if (index < itemCount())
            return QAccessible::queryAccessibleInterface(field()->items()[index]);
        return QAccessibleWidget::child(index - itemCount());
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto& items = field()->items();
        const auto it = std::find(items.begin(), items.end(), child ? child->object() : nullptr);
        if (it != items.end())
            return static_cast<int>(it - items.begin());
        const int widget = QAccessibleWidget::indexOfChild(child);
        return widget < 0 ? -1 : itemCount() + widget;
    }

private:
    PlayField* field() const { return static_cast<PlayField*>(widget()); }
    int itemCount() const { return static_cast<int>(field()->items().size()); }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("FieldItem"))
        return new ItemInterface(static_cast<FieldItem*>(object));
    if (className == QLatin1String("PlayField"))
        return new FieldInterface(static_cast<PlayField*>(object));
    return nullptr;
}

} // namespace
