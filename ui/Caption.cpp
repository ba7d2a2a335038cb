#include "ui/Caption.h"

#include "ui/PressedPixel.h"
#include "ui/Twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

Caption::Caption(QWidget* parent, const QString& name, int left, int top, int width, int height,
                 const QString& caption)
    : QLabel(parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setGeometry(twips::rect(left, top, width, height));
    // A fixed size spares the parent a layout request at every new caption.
    setFixedSize(size());
    setText(caption);
}

Caption& Caption::font(const QFont& f)
{
    setFont(f);
    return *this;
}

Caption& Caption::foreColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
    return *this;
}

Caption& Caption::backColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    opaque_ = true;
    return changed();
}

Caption& Caption::transparent()
{
    opaque_ = false;
    return changed();
}

Caption& Caption::align(Qt::Alignment horizontal)
{
    setAlignment((horizontal & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
    return changed();
}

Caption& Caption::singleBorder()
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    return changed();
}

Caption& Caption::autoSize()
{
    autoSize_ = true;
    fitToText();
    return *this;
}

Caption& Caption::announces(const QString& what)
{
    if (!what.isEmpty()) {
        announcedWhat_ = what;
        renewAccessibleName();
    }
    // Else the caption is the name, and QLabel announces it.
    return *this;
}

void Caption::setCaption(const QString& caption)
{
    if (caption == text())
        return;
    setText(caption);
    changed();
    if (autoSize_)
        fitToText();
    if (announcedWhat_)
        renewAccessibleName();
}

// A new name is what screen readers speak.
void Caption::renewAccessibleName()
{
    if (text().isEmpty())
        setAccessibleName(*announcedWhat_);
    else
        setAccessibleName(*announcedWhat_ + QLatin1Char(' ') + text());
}

void Caption::fitToText()
{
    const QFontMetrics metrics(QLabel::font());
    const int f = frameWidth();
    const QSize fit(metrics.horizontalAdvance(text()) + 2 * f, metrics.height() + 2 * f);
    QRect g = geometry();
    if (alignment() & Qt::AlignRight)
        g.setLeft(g.right() + 1 - fit.width());
    else if (alignment() & Qt::AlignHCenter)
        g.setLeft(g.center().x() - fit.width() / 2);
    g.setSize(fit);
    setFixedSize(fit);
    setGeometry(g);
}

// Drawn again at the next paint, not at each change: a caption may change
// several times between two paints.
Caption& Caption::changed()
{
    rendered_ = QPixmap();
    fresh_ = true;
    update();
    return *this;
}

void Caption::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        pictureFont_.reset();
        changed();
    } else if (event->type() == QEvent::PaletteChange) {
        changed();
    }
    QLabel::changeEvent(event);
}

void Caption::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const qreal dpr = devicePixelRatioF();
    // A kept picture would land on whole device pixels, off by half a pixel
    // at a fractional scale. And a caption that changed since its last paint
    // is drawn in place: the score changes at every tick, and a picture made
    // for one paint costs more than it saves.
    if (dpr != std::floor(dpr) || std::exchange(fresh_, false)) {
        draw(painter, QLabel::font());
        return;
    }
    if (rendered_.isNull() || rendered_.deviceIndependentSize() != QSizeF(size())
        || rendered_.devicePixelRatio() != dpr) {
        rendered_ = QPixmap(size() * dpr);
        rendered_.setDevicePixelRatio(dpr);
        rendered_.fill(Qt::transparent);
        if (!pictureFont_)
            pictureFont_ = QFont(QLabel::font(), &rendered_);
        QPainter p(&rendered_);
        draw(p, *pictureFont_);
    }
    painter.drawPixmap(0, 0, rendered_);
}

void Caption::draw(QPainter& painter, const QFont& font) const
{
    const QRect whole = rect();
    const QColor fore = palette().color(QPalette::WindowText);
    if (opaque_)
        painter.fillRect(whole, palette().color(QPalette::Window));
    if (frameWidth() > 0)
        drawBorder(painter, fore);
    if (text().isEmpty())
        return;
    const int f = frameWidth();
    const QRect box = whole.adjusted(f, f, -f, -f);
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(fore);
    painter.drawText(box, static_cast<int>(alignment()), text());
    painter.restore();
}

// The border on the device pixels the label owns. At a fractional scale Qt
// puts the label's corner on a whole device pixel, rounded, and its far
// edges too, so the label can own half a device pixel less than its size:
// a line drawn at its logical edge would lose its last row to the field.
void Caption::drawBorder(QPainter& painter, const QColor& colour) const
{
    const QTransform device = painter.deviceTransform();
    const qreal dpr = device.m11();
    const QPointF corner(std::round(device.dx() / dpr), std::round(device.dy() / dpr));  // logical
    const qreal right = (std::round((corner.x() + width()) * dpr) - device.dx()) / dpr;
    const qreal bottom = (std::round((corner.y() + height()) * dpr) - device.dy()) / dpr;
    const qreal line = std::max<qreal>(1, std::round(dpr)) / dpr;  // whole device pixels
    painter.fillRect(QRectF(0, 0, right, line), colour);
    painter.fillRect(QRectF(0, bottom - line, right, line), colour);
    painter.fillRect(QRectF(0, 0, line, bottom), colour);
    painter.fillRect(QRectF(right - line, 0, line, bottom), colour);
}

void Caption::mousePressEvent(QMouseEvent* event)
{
    // Taken here, as a label takes clicks, whether anything handles them or not.
    pressed_ = event->button() == Qt::LeftButton;
}

void Caption::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(pressedPixel(event));
    pressed_ = false;
    if (click)
        emit Click();
}
