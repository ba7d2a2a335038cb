#include "ui/Form.h"

#include "ui/FormClient.h"
#include "ui/TileBackground.h"
#include "ui/Twips.h"

#include <QGuiApplication>
#include <QCloseEvent>
#include <QMenuBar>
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

} // namespace

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

    client_ = new FormClient(background_, this);
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
