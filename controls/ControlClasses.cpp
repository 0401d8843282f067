#include "controls/ControlClasses.h"

#include "controls/TLumaroLButton.h"
#include "controls/TOwnerCheck.h"
#include "controls/TUrlLabel.h"
#include "framework/ComponentRegistry.h"

void registerControlClasses()
{
    ComponentRegistry::add<TLumaroLButton>(QStringLiteral("TLumaroLButton"));
    ComponentRegistry::add<TOwnerCheck>(QStringLiteral("TOwnerCheck"));
    ComponentRegistry::add<TUrlLabel>(QStringLiteral("TUrlLabel"));
}
