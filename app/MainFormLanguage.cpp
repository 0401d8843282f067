// The interface language.

#include "app/TMainForm.h"

void TMainForm::SwitchLanguage(QObject*)
{
    // No language modules are installed beside the program yet, so there is nothing to switch
    // to: the interface stays in the language in force, as it does for a locale without one.
}
