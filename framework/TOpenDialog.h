#pragma once

#include "framework/TFileDialog.h"

// The open-file dialog component.
class TOpenDialog : public TFileDialog {
    Q_OBJECT
public:
    using TFileDialog::TFileDialog;
    bool Execute() override;
};
