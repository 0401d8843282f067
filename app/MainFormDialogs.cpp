// The about box and the reference dialogs, each built anew when its button is pressed.

#include "app/TMainForm.h"

#include "dialogs/DialogLauncher.h"

void TMainForm::HelpAbout(QObject*)
{
    DialogLauncher::showAbout(this);
}

void TMainForm::LumaroLButton14Click(QObject*)
{
    DialogLauncher::showWorldTimes(this);
}

void TMainForm::LumaroLButton15Click(QObject*)
{
    DialogLauncher::showMetricTables(this);
}
