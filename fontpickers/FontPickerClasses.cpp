#include "fontpickers/FontPickerClasses.h"

#include "fontpickers/TFontNameComboBox.h"
#include "fontpickers/TFontSizeComboBox.h"
#include "framework/ComponentRegistry.h"

void registerFontPickerClasses()
{
    ComponentRegistry::add<TFontNameComboBox>(QStringLiteral("TFontNameComboBox"));
    ComponentRegistry::add<TFontSizeComboBox>(QStringLiteral("TFontSizeComboBox"));
}
