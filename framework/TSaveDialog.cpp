#include "framework/TSaveDialog.h"

#include "framework/DialogService.h"

bool TSaveDialog::Execute()
{
    return DialogService::instance().executeSave(*this);
}
