#include "accessibility.h"

#include "clicklabel.h"

#include <QAccessibleWidget>

namespace {

class ClickLabelAccessible : public QAccessibleWidget {
public:
    explicit ClickLabelAccessible(ClickLabel *label)
        : QAccessibleWidget(label, label->pressable() ? QAccessible::Button : QAccessible::Graphic)
    {
    }

    QStringList actionNames() const override
    {
        return label()->pressable() ? QStringList{pressAction()} : QStringList{};
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction() && label()->pressable())
            label()->click();
    }

private:
    ClickLabel *label() const { return static_cast<ClickLabel *>(widget()); }
};

std::function<void(QObject *, QAccessible::Event)> g_hook;

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("ClickLabel") || className == QLatin1String("PictureBox"))
        return new ClickLabelAccessible(static_cast<ClickLabel *>(widget));
    // The program's own windows (Qt's classes have interfaces of their own).
    if (widget->isWindow() && !className.startsWith(u'Q') && className == QLatin1String(object->metaObject()->className()))
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void Accessibility::install()
{
    QAccessible::installFactory(factory);
}

void Accessibility::announce(QObject *object, QAccessible::Event change)
{
    QAccessibleEvent event(object, change);
    QAccessible::updateAccessibility(&event);
    if (g_hook)
        g_hook(object, change);
}

void Accessibility::setAnnouncementHook(std::function<void(QObject *, QAccessible::Event)> hook)
{
    g_hook = std::move(hook);
}
