#pragma once

#include "framework/DialogService.h"
#include "framework/TFont.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

// Answers the program's dialogs from a script, records what was asked, and never blocks.
// Install it for the lifetime of a test with ScriptedDialogs::Scope.
class ScriptedDialogs : public DialogService {
public:
    struct FileAnswer {
        bool accept = false;
        QString fileName;
        bool readOnly = false;
    };

    // Queued answers, consumed in order; an exhausted queue answers Cancel / cancels.
    QList<Answer> confirmAnswers;
    QList<FileAnswer> openAnswers;
    QList<FileAnswer> saveAnswers;
    QList<bool> printAnswers;
    // Applied to the font dialog's font when it is confirmed; nullopt cancels.
    QList<std::optional<std::function<void(TFont&)>>> fontAnswers;

    // What was shown.
    QStringList confirmTexts;
    QStringList errors;
    QStringList asked; // "confirm", "error", "open", "save", "print", "font" in order

    // Settings of the last file dialogs shown (copied at the moment they were shown).
    QString lastOpenFilter, lastOpenInitialDir, lastSaveFilter, lastSaveInitialDir, lastSaveFileName,
        lastSaveDefaultExt;

    Answer confirm(const QString& text) override;
    void showError(const QString& text) override;
    bool executeOpen(TOpenDialog& dialog) override;
    bool executeSave(TSaveDialog& dialog) override;
    bool executePrint(TPrintDialog& dialog, QPrinter& printer) override;
    bool executeFont(TFontDialog& dialog) override;

    // Installs a scripted service and restores the previous one when it goes out of scope.
    class Scope {
    public:
        Scope();
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        ScriptedDialogs& operator*() { return *m_dialogs; }
        ScriptedDialogs* operator->() { return m_dialogs.get(); }

    private:
        std::unique_ptr<ScriptedDialogs> m_dialogs;
        DialogService* m_previous;
    };
};
