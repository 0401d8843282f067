#include "framework/TFontDialog.h"

#include "framework/DialogService.h"
#include "framework/TFont.h"

TFontDialog::TFontDialog(QObject* parent) : QObject(parent), m_font(new TFont(this)) {}

bool TFontDialog::Execute()
{
    return DialogService::instance().executeFont(*this);
}
