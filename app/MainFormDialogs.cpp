// The about box and the reference dialogs.

#include "app/TMainForm.h"

void TMainForm::HelpAbout(QObject*) {}

void TMainForm::LumaroLButton14Click(QObject*) {}

void TMainForm::LumaroLButton15Click(QObject*) {}
