#include "framework/TOpenDialog.h"

#include "framework/DialogService.h"

bool TOpenDialog::Execute()
{
    return DialogService::instance().executeOpen(*this);
}
