#include "app/ComponentClasses.h"

#include "app/AccessibleTexts.h"
#include "controls/ControlClasses.h"
#include "fontpickers/FontPickerClasses.h"
#include "richtext/RichTextClasses.h"

void registerComponentClasses()
{
    // The framework's classes are known from the start; the other libraries' are added here.
    registerRichTextClasses();
    registerControlClasses();
    registerFontPickerClasses();
    AccessibleTexts::installRoles();
}
