#include "ui/Label.h"

#include "ui/FormClient.h"
#include "ui/Twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <qdrawutil.h>

Label::Label(FormClient* host, const QString& name, int left, int top, int width, int height,
             const QString& caption)
    : Graphic(host, name, twips::rect(left, top, width, height)), caption_(caption), font_(host->font()),
      foreColor_(host->palette().color(QPalette::WindowText))
{
    changed();
    // No accessible name of its own: a screen reader reads the caption.
}

Label& Label::font(const QFont& f)
{
    font_ = f;
    pictureFont_.reset();
    changed();
    return *this;
}

Label& Label::foreColor(const QColor& color)
{
    foreColor_ = color;
    changed();
    return *this;
}

Label& Label::backColor(const QColor& color)
{
    backColor_ = color;
    opaque_ = true;
    changed();
    return *this;
}

Label& Label::transparent()
{
    opaque_ = false;
    changed();
    return *this;
}

Label& Label::align(Qt::Alignment horizontal)
{
    alignment_ = horizontal & Qt::AlignHorizontal_Mask;
    changed();
    return *this;
}

Label& Label::singleBorder()
{
    border_ = true;
    changed();
    return *this;
}

Label& Label::autoSize()
{
    autoSize_ = true;
    fitToText();
    return *this;
}

Label& Label::announces(const QString& what)
{
    announces_ = true;
    announcedWhat_ = what;
    renewAccessibleName();
    return *this;
}

void Label::setCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    changed();
    if (autoSize_)
        fitToText();
    if (announces_)
        renewAccessibleName();
}

QString Label::accessibleText() const
{
    return accessibleName().isEmpty() ? caption_ : accessibleName();
}

// A new name is what screen readers speak.
void Label::renewAccessibleName()
{
    if (announcedWhat_.isEmpty() || caption_.isEmpty())
        setAccessibleName(announcedWhat_ + caption_);
    else
        setAccessibleName(announcedWhat_ + QLatin1Char(' ') + caption_);
}

void Label::fitToText()
{
    const QFontMetrics metrics(font_);
    const QSize fit(metrics.horizontalAdvance(caption_) + 2 * frameWidth(), metrics.height() + 2 * frameWidth());
    QRect g = geometry();
    if (alignment_ & Qt::AlignRight)
        g.setLeft(g.right() + 1 - fit.width());
    else if (alignment_ & Qt::AlignHCenter)
        g.setLeft(g.center().x() - fit.width() / 2);
    g.setSize(fit);
    setGeometry(g);
}

// Drawn again at the next paint, not at each change: a caption may change
// several times between two paints.
void Label::changed()
{
    rendered_ = QPixmap();
    update();
}

void Label::paint(QPainter& painter) const
{
    const qreal dpr = host()->devicePixelRatioF();
    if (dpr != std::floor(dpr)) {
        // A kept picture would land on whole device pixels, off by half a
        // pixel at a fractional scale; draw in place there.
        draw(painter, geometry(), font_);
        return;
    }
    if (rendered_.isNull() || rendered_.deviceIndependentSize() != QSizeF(size())
        || rendered_.devicePixelRatio() != dpr) {
        rendered_ = QPixmap(size() * dpr);
        rendered_.setDevicePixelRatio(dpr);
        rendered_.fill(Qt::transparent);
        if (!pictureFont_)
            pictureFont_ = QFont(font_, &rendered_);
        QPainter p(&rendered_);
        draw(p, QRect(QPoint(0, 0), size()), *pictureFont_);
    }
    painter.drawPixmap(pos(), rendered_);
}

// The label is drawn once into a picture of its own, which each paint then
// copies: laying out and drawing Japanese text is the costly part, and a
// label may be repainted many times between two changes of its caption.
void Label::draw(QPainter& painter, const QRect& whole, const QFont& font) const
{
    if (opaque_)
        painter.fillRect(whole, backColor_);
    if (border_)
        qDrawPlainRect(&painter, whole, foreColor_, 1);
    if (caption_.isEmpty())
        return;
    const int f = frameWidth();
    const QRect box = whole.adjusted(f, f, -f, -f);
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(foreColor_);
    painter.drawText(box, static_cast<int>(alignment_ | Qt::AlignTop), caption_);
    painter.restore();
}

void Label::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

void Label::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton
                       && geometry().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit Click();
}
