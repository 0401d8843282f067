#include "richtext/RichTextClasses.h"

#include "framework/ComponentRegistry.h"
#include "richtext/TCustomRichEdit.h"

void registerRichTextClasses()
{
    ComponentRegistry::add<TCustomRichEdit>(QStringLiteral("TRichEdit"));
}
