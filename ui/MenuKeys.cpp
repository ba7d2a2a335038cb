#include "ui/MenuKeys.h"

#include <QApplication>
#include <QMenuBar>
#include <QProxyStyle>
#include <QShortcut>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace {
// The application's style, with Alt reaching the bar whenever the bar is
// enabled (the bar's own watch for Alt would wake it in a disabled window).
// A style draws the bar's current item like any other until its menu opens;
// while the bar itself has the keyboard, it is drawn as open.
class MenuBarStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return widget == nullptr || widget->isEnabled();
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuBarItem && item && (item->state & State_Selected) && widget && widget->hasFocus()) {
            QStyleOptionMenuItem open(*item);
            open.state |= State_Sunken;
            QProxyStyle::drawControl(element, &open, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

void openOn(QKeySequence keys, QMenuBar* bar, QAction* menu)
{
    auto* shortcut = new QShortcut(keys, bar->window());
    QObject::connect(shortcut, &QShortcut::activated, bar, [bar, menu] { bar->setActiveAction(menu); });
}
} // namespace

void menuKeys::reachFromKeyboard(QMenuBar* bar)
{
    // A second instance of the application's style: the bar must not own,
    // and so delete, the one every other widget uses.
    if (QStyle* base = QStyleFactory::create(QApplication::style()->name())) {
        auto* style = new MenuBarStyle(base);
        style->setParent(bar);
        bar->setStyle(style);
    }
    const QList<QAction*> menus = bar->actions();
    if (menus.isEmpty())
        return;
    openOn(QKeySequence(Qt::Key_F10), bar, menus.first());
    for (QAction* menu : menus)
        openOn(QKeySequence(QStringLiteral("Alt+") + menu->text().left(1)), bar, menu);
}
