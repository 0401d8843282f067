#pragma once

#include <QString>

class QPrinter;
class TFontDialog;
class TOpenDialog;
class TPrintDialog;
class TSaveDialog;

// Every dialog the program shows goes through this interface: Qt's dialogs in the program,
// a scripted implementation in tests, so that nothing blocks.
class DialogService {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~DialogService() = default;

    // The confirmation dialog: caption "Confirm", question icon, "&Yes" (default), "&No",
    // "Cancel" (Escape and the close box).
    virtual Answer confirm(const QString& text) = 0;
    // The error box: application title as caption, stop icon, one "OK".
    virtual void showError(const QString& text) = 0;
    // The file dialogs fill in the chosen name (and the read-only option) when confirmed.
    virtual bool executeOpen(TOpenDialog& dialog) = 0;
    virtual bool executeSave(TSaveDialog& dialog) = 0;
    // The print dialog for a printer; a confirmed choice is stored in the printer.
    virtual bool executePrint(TPrintDialog& dialog, QPrinter& printer) = 0;
    // The font dialog edits the dialog's font when confirmed.
    virtual bool executeFont(TFontDialog& dialog) = 0;

    static DialogService& instance();
    // Installs another implementation and returns the previous one; nullptr restores Qt's.
    static DialogService* install(DialogService* service);
};
