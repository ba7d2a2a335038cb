#include "game/FieldAccessible.h"

#include "game/PlayField.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>

#include <algorithm>

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

void fieldaccessible::install()
{
    static const bool installed = (QAccessible::installFactory(accessibleFactory), true);
    Q_UNUSED(installed);
}
