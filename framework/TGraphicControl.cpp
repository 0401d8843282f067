#include "framework/TGraphicControl.h"

TGraphicControl::TGraphicControl(QWidget* parent) : TControl(parent)
{
    setFocusPolicy(Qt::NoFocus);
}
