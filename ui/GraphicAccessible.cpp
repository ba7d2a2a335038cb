#include "ui/GraphicAccessible.h"

#include "ui/FormClient.h"
#include "ui/Graphic.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>

namespace {

class GraphicInterface : public QAccessibleObject, public QAccessibleActionInterface {
public:
    explicit GraphicInterface(Graphic* graphic) : QAccessibleObject(graphic) {}

    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(graphic()->host());
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return graphic()->accessibleRole(); }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? graphic()->accessibleText() : QString();
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !graphic()->isVisible();
        s.disabled = !graphic()->host()->isEnabled();
        return s;
    }
    QRect rect() const override
    {
        const QRect g = graphic()->geometry();
        return QRect(graphic()->host()->mapToGlobal(g.topLeft()), g.size());
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override
    {
        return graphic()->pressable() ? QStringList{pressAction()} : QStringList();
    }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && graphic()->pressable())
            graphic()->pressAction();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    Graphic* graphic() const { return static_cast<Graphic*>(object()); }
};

// The client's children: its windowless controls first, as they lie behind
// its windowed ones, then those.
class ClientInterface : public QAccessibleWidget {
public:
    explicit ClientInterface(FormClient* client) : QAccessibleWidget(client, QAccessible::Client) {}

    int childCount() const override { return graphicCount() + QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0)
            return nullptr;
        if (index < graphicCount())
            return QAccessible::queryAccessibleInterface(client()->graphics()[index]);
        return QAccessibleWidget::child(index - graphicCount());
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto& graphics = client()->graphics();
        const auto it = std::find(graphics.begin(), graphics.end(), child ? child->object() : nullptr);
        if (it != graphics.end())
            return static_cast<int>(it - graphics.begin());
        const int widget = QAccessibleWidget::indexOfChild(child);
        return widget < 0 ? -1 : graphicCount() + widget;
    }

private:
    FormClient* client() const { return static_cast<FormClient*>(widget()); }
    int graphicCount() const { return static_cast<int>(client()->graphics().size()); }
};

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("Graphic"))
        if (auto* g = qobject_cast<Graphic*>(object))
            return new GraphicInterface(g);
    if (className == QLatin1String("FormClient"))
        if (auto* c = qobject_cast<FormClient*>(object))
            return new ClientInterface(c);
    return nullptr;
}

} // namespace

void graphicaccessible::install()
{
    static const bool installed = (QAccessible::installFactory(factory), true);
    Q_UNUSED(installed);
}
