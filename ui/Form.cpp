#include "ui/Form.h"

#include "ui/TileBackground.h"
#include "ui/Twips.h"

#include <QGuiApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace {

Qt::WindowFlags flagsFor(Form::Border border)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (border == Form::Border::FixedSingle)
        flags |= Qt::WindowMinimizeButtonHint;
    else
        flags |= Qt::Dialog;
    return flags;
}

// The client area: the kept background, under the controls. Painted band by
// band, each under a clip of one rectangle, where the painter takes its fast
// paths; under Qt's ragged region it would clip every scan line.
class ClientArea : public QWidget {
public:
    ClientArea(const QPixmap& background, QWidget* parent) : QWidget(parent), background_(background)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        for (const QRect& band : event->region()) {
            painter.setClipRect(band);
            drawBackground(painter, background_, band);
        }
    }

private:
    const QPixmap& background_;
};

} // namespace

void drawBackground(QPainter& painter, const QPixmap& background, const QRect& area)
{
    const qreal dpr = background.devicePixelRatio();
    painter.drawPixmap(area, background, QRectF(area.x() * dpr, area.y() * dpr, area.width() * dpr, area.height() * dpr));
}

Form::Form(const QString& caption, int clientWidth, int clientHeight, Border border,
           const QColor& backColor, const PictureBox& picture1, QWidget* parent)
    : QWidget(parent, flagsFor(border)), Picture1(picture1), scaleWidth_(clientWidth), scaleHeight_(clientHeight)
{
    setWindowTitle(caption);
    const QSize size(twips::toPixels(clientWidth), twips::toPixels(clientHeight));
    const qreal dpr = qApp->devicePixelRatio();
    background_ = QPixmap(size * dpr);
    background_.setDevicePixelRatio(dpr);
    background_.fill(backColor);

    client_ = new ClientArea(background_, this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(size);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(client_);
}

QMenuBar* Form::menuBar()
{
    if (!menuBar_) {
        menuBar_ = new QMenuBar(this);
        static_cast<QVBoxLayout*>(layout())->setMenuBar(menuBar_);
    }
    return menuBar_;
}

void Form::PaintPicture(const QPixmap& picture, int x, int y, int width, int height)
{
    QPainter painter(&background_);
    const QRectF target(x / qreal(twips::kPerPixel), y / qreal(twips::kPerPixel),
                        width / qreal(twips::kPerPixel), height / qreal(twips::kPerPixel));
    painter.drawPixmap(target, picture, picture.rect());
}

void Form::tileBackground()
{
    TileBackground(*this, ScaleWidth(), ScaleHeight(), Picture1.picture(), Picture1.innerWidth(),
                   Picture1.innerHeight());
    client_->update();
}

void Form::centreOnScreen()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    adjustSize();
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void Form::setTabIndexOrder(std::initializer_list<QWidget*> controls)
{
    tabOrder_.assign(controls);
    for (size_t i = 1; i < tabOrder_.size(); ++i)
        QWidget::setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
}

void Form::focusFirstControl()
{
    for (QWidget* control : tabOrder_) {
        if (control->isVisibleTo(this) && control->isEnabled()) {
            control->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void Form::closeEvent(QCloseEvent* event)
{
    if (!QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    emit unloading();
}

void Form::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        refuseFocusWhileDisabled();
    QWidget::changeEvent(event);
}

void Form::showEvent(QShowEvent* event)
{
    refuseFocusWhileDisabled();
    QWidget::showEvent(event);
}

// A disabled window takes no keys, so it must not take the keyboard from the
// window that does: neither Qt on a click nor the window manager gives it
// the focus. Set on the native window alone, which needs no re-creation.
void Form::refuseFocusWhileDisabled()
{
    if (QWindow* handle = windowHandle())
        handle->setFlag(Qt::WindowDoesNotAcceptFocus, !isEnabled());
}
