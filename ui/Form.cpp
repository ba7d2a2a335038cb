#include "ui/Form.h"

#include "ui/TileBackground.h"
#include "ui/Twips.h"

#include <QGuiApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QIcon>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <vector>

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

// For each whole device pixel from `from` on, the source pixel under its
// centre when `sourceLength` pixels are stretched over [start, start +
// length); a centre on a source edge takes the pixel before it.
std::vector<int> sourcePixels(int from, int count, qreal start, qreal length, int sourceLength)
{
    std::vector<int> at(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const qreal under = std::ceil((from + i + 0.5 - start) * sourceLength / length) - 1;
        at[static_cast<size_t>(i)] = std::clamp(static_cast<int>(under), 0, sourceLength - 1);
    }
    return at;
}

// The picture stretched to its exact place on the device, cut to the whole
// device pixels `pixels`.
QImage stretchToPixels(const QImage& picture, const QRectF& exact, const QRect& pixels)
{
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const std::vector<int> columns = sourcePixels(pixels.x(), pixels.width(), exact.x(), exact.width(), source.width());
    const std::vector<int> rows = sourcePixels(pixels.y(), pixels.height(), exact.y(), exact.height(), source.height());
    QImage stretched(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    for (size_t y = 0; y < rows.size(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(rows[y]));
        auto* out = reinterpret_cast<QRgb*>(stretched.scanLine(static_cast<int>(y)));
        for (size_t x = 0; x < columns.size(); ++x)
            out[x] = in[columns[x]];
    }
    return stretched;
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

// Qt 6.4's own Wayland title bar, drawn where the compositor draws none
// (weston, mutter): margins 3, 30, 3, 3; a 22-pixel icon after 8 pixels;
// minimise, maximise and close, whatever the window's flags, in the last 77
// pixels; the title in 14-pixel type, centred on the whole bar as laid out
// in the application font, and cut where the icon and buttons begin.
constexpr QMargins kQtTitleBarMargins(3, 30, 3, 3);
constexpr int kQtTitleBarLeft = 8;
constexpr int kQtTitleBarIcon = 27;
constexpr int kQtTitleBarButtons = 77;
constexpr int kQtTitleBarTypePixels = 14;

// On a narrow window that bar cut "HI-SCORE" to "HI-SC". Without the icon,
// and with blank cells after it that move the centred title left, the whole
// title fits in the room the buttons leave. Only the native window's title
// changes: the window keeps its own, which screen readers read.
void fitTitleToQtTitleBar(QWidget& window)
{
    QWindow* handle = window.windowHandle();
    if (!handle || handle->frameMargins() != kQtTitleBarMargins)
        return;
    const QString title = window.windowTitle();
    const qreal bar = window.width() + kQtTitleBarMargins.left() + kQtTitleBarMargins.right();
    const qreal room = bar - kQtTitleBarButtons;  // where the title must end
    QFont type = QGuiApplication::font();
    type.setPixelSize(kQtTitleBarTypePixels);
    const qreal drawn = QFontMetricsF(type).horizontalAdvance(title);
    const QFontMetricsF layout(QGuiApplication::font());
    const auto start = [&](const QString& text) { return (bar - layout.horizontalAdvance(text)) / 2; };
    if (start(title) >= kQtTitleBarLeft + kQtTitleBarIcon && start(title) + drawn <= room)
        return;
    handle->setIcon(QIcon());
    QString padded = title;
    while (start(padded) + drawn > room && start(padded + QChar(0x2800)) >= kQtTitleBarLeft)
        padded += QChar(0x2800);  // a blank that, unlike a space, counts in the width
    handle->setTitle(padded);
}

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

// A tile covers the device pixels from the one nearest its start to the one
// nearest the next tile's, so neighbours meet at any scale. Qt would round
// each fractional rectangle on its own and, at 1.25 for one, leave a column
// of the window's colour between two tiles.
void Form::PaintPicture(const QPixmap& picture, int x, int y, int width, int height)
{
    const qreal dpr = background_.devicePixelRatio();
    const auto device = [dpr](qint64 position) { return position / qreal(twips::kPerPixel) * dpr; };
    const QRectF exact(device(x), device(y), device(width), device(height));
    const QRect pixels(QPoint(qRound(exact.x()), qRound(exact.y())),
                       QPoint(qRound(device(qint64(x) + width)) - 1, qRound(device(qint64(y) + height)) - 1));
    if (pixels.isEmpty())
        return;
    // A tiling paints one picture many times. On whole pixels, as at scales
    // 1 and 2, every tile is the same stretch: made once, copied after.
    const bool whole = exact == QRectF(pixels);
    if (!whole || picture.cacheKey() != stretchedKey_ || stretched_.size() != pixels.size()) {
        stretched_ = stretchToPixels(picture.toImage(), exact, pixels);
        stretchedKey_ = whole ? picture.cacheKey() : 0;
    }
    background_.setDevicePixelRatio(1.0);  // paint in device pixels
    QPainter(&background_).drawImage(pixels.topLeft(), stretched_);
    background_.setDevicePixelRatio(dpr);
}

void Form::tileBackground()
{
    TileBackground(*this, ScaleWidth(), ScaleHeight(), Picture1.picture(), Picture1.innerWidth(),
                   Picture1.innerHeight());
    client_->update();
}

void Form::centreOnScreen()
{
    winId();  // the native window holds the owner and the screen
    const QWindow* handle = windowHandle();
    const QWindow* owner = handle->transientParent();
    const QScreen* screen = owner ? owner->screen() : handle->screen();
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
    // Qt's own title bars on Wayland offer maximise whatever the flags say;
    // a window of fixed size stays as it is.
    if (event->type() == QEvent::WindowStateChange && isMaximized())
        QTimer::singleShot(0, this, [this] { setWindowState(windowState() & ~Qt::WindowMaximized); });
    QWidget::changeEvent(event);
}

void Form::showEvent(QShowEvent* event)
{
    // Scaled, Qt asks for a resize step of one logical pixel, 2 device pixels
    // at 1.75, and without a base size window managers count the steps from
    // 0: an odd width came out a pixel short. The steps count from here.
    setBaseSize(size());
    refuseFocusWhileDisabled();
    QWidget::showEvent(event);
    // The native window and its title bar come with the show that follows.
    QTimer::singleShot(0, this, [this] { fitTitleToQtTitleBar(*this); });
}

// A disabled window takes no keys, so it must not take the keyboard from the
// window that does: neither Qt on a click nor the window manager gives it
// the focus. Set on the native window alone, which needs no re-creation.
void Form::refuseFocusWhileDisabled()
{
    if (QWindow* handle = windowHandle())
        handle->setFlag(Qt::WindowDoesNotAcceptFocus, !isEnabled());
}
