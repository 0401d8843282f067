#include "controls/ControlClasses.h"

#include "controls/AccessibleImageButton.h"
#include "controls/AccessibleOwnerCheck.h"
#include "controls/TLumaroLButton.h"
#include "controls/TOwnerCheck.h"
#include "controls/TUrlLabel.h"
#include "framework/ComponentRegistry.h"

namespace {
QAccessibleInterface* accessibleControl(const QString&, QObject* object)
{
    if (auto* button = qobject_cast<TLumaroLButton*>(object))
        return new AccessibleImageButton(button);
    if (auto* check = qobject_cast<TOwnerCheck*>(object))
        return new AccessibleOwnerCheck(check);
    return nullptr;
}
} // namespace

void registerControlClasses()
{
    QAccessible::installFactory(accessibleControl);
    ComponentRegistry::add<TLumaroLButton>(QStringLiteral("TLumaroLButton"));
    ComponentRegistry::add<TOwnerCheck>(QStringLiteral("TOwnerCheck"));
    ComponentRegistry::add<TUrlLabel>(QStringLiteral("TUrlLabel"));
}
