#pragma once

#include "framework/TControl.h"

// A control without keyboard focus that paints within its parent's area (pictures, labels,
// image buttons).
class TGraphicControl : public TControl {
    Q_OBJECT
public:
    explicit TGraphicControl(QWidget* parent = nullptr);
};
