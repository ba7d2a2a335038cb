#include "Label.h"

#include "Twips.h"

#include <QMouseEvent>

Label::Label(QWidget* parent, const QString& name, int left, int top, int width, int height,
             const QString& caption)
    : QLabel(caption, parent)
{
    setObjectName(name);
    setGeometry(twips::rect(left, top, width, height));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMargin(0);
    setIndent(0);
    setTextFormat(Qt::PlainText);
    // No accessible name of its own: a screen reader reads the caption.
}

Label& Label::font(const QFont& f)
{
    setFont(f);
    return *this;
}

Label& Label::foreColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
    return *this;
}

Label& Label::backColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    setAutoFillBackground(true);
    return *this;
}

Label& Label::transparent()
{
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    return *this;
}

Label& Label::align(Qt::Alignment horizontal)
{
    setAlignment(horizontal | Qt::AlignTop);
    return *this;
}

Label& Label::singleBorder()
{
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
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
    if (caption == text())
        return;
    setText(caption);
    if (autoSize_)
        fitToText();
    if (announces_)
        renewAccessibleName();
}

// QLabel announces a new text only while it has no accessible name of its
// own; setting the name sends the NameChanged event that screen readers speak.
void Label::renewAccessibleName()
{
    if (announcedWhat_.isEmpty() || text().isEmpty())
        setAccessibleName(announcedWhat_ + text());
    else
        setAccessibleName(announcedWhat_ + QLatin1Char(' ') + text());
}

void Label::fitToText()
{
    const QSize fit(fontMetrics().horizontalAdvance(text()) + 2 * frameWidth(),
                    fontMetrics().height() + 2 * frameWidth());
    QRect g = geometry();
    const Qt::Alignment h = alignment() & Qt::AlignHorizontal_Mask;
    if (h & Qt::AlignRight)
        g.setLeft(g.right() + 1 - fit.width());
    else if (h & Qt::AlignHCenter)
        g.setLeft(g.center().x() - fit.width() / 2);
    g.setSize(fit);
    setGeometry(g);
}

void Label::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void Label::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit Click();
}
