#pragma once

#include "framework/TFileDialog.h"

// The save-file dialog component.
class TSaveDialog : public TFileDialog {
    Q_OBJECT
public:
    using TFileDialog::TFileDialog;
    bool Execute() override;
};
