#pragma once

#include "framework/DialogService.h"

// The program's dialogs: Qt's message boxes and file, print and font dialogs.
class QtDialogService : public DialogService {
public:
    Answer confirm(const QString& text) override;
    void showError(const QString& text) override;
    bool executeOpen(TOpenDialog& dialog) override;
    bool executeSave(TSaveDialog& dialog) override;
    bool executePrint(TPrintDialog& dialog, QPrinter& printer) override;
    bool executeFont(TFontDialog& dialog) override;
};
