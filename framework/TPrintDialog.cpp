#include "framework/TPrintDialog.h"

#include "framework/DialogService.h"

bool TPrintDialog::Execute(QPrinter& printer)
{
    return DialogService::instance().executePrint(*this, printer);
}
