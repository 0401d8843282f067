// The file commands: New, Open, Save, Save As, Print, Exit, the save-changes prompt and the
// close query.

#include "app/TMainForm.h"

#include "app/RecoveryWriter.h"

#include "framework/DialogService.h"
#include "framework/MessageDispatch.h"
#include "framework/SilentAbort.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/TOpenDialog.h"
#include "framework/TPrintDialog.h"
#include "framework/TPrinter.h"
#include "framework/TSaveDialog.h"
#include "richtext/RichEditPrinter.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TRichEditStrings.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScopeGuard>

void TMainForm::ConfirmSaveChanges()
{
    if (!Editor->modified())
        return;
    switch (DialogService::instance().confirm(StringTable::format(StringId::SaveChanges, {m_documentName}))) {
    case DialogService::Answer::Cancel:
        throw SilentAbort();
    case DialogService::Answer::Yes:
        FileSave(this);
        // Yes without a save (Save As cancelled, overwrite declined) keeps the work, as Cancel does.
        if (Editor->modified())
            throw SilentAbort();
        return;
    case DialogService::Answer::No:
        return;
    }
}

void TMainForm::FileNew(QObject*)
{
    ConfirmSaveChanges();
    SetDocumentName(StringTable::load(StringId::Untitled));
    Editor->Clear();
    Editor->setModified(false);
    ShowModifiedState(false);
    documentStored(QString(), FileIdentity());
}

void TMainForm::OpenDocument(const QString& fileName)
{
    // Taken before reading, so that a change while the file is read counts as a change.
    const FileIdentity file = FileIdentity::of(fileName);
    {
        // A large document takes a moment to read: the pointer says so.
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        Editor->lines()->LoadFromFile(fileName);
    }
    SetDocumentName(fileName);
    Editor->setFocus();
    Editor->setModified(false);
    ShowModifiedState(false);
    documentStored(fileName, file);
}

void TMainForm::FileOpen(QObject*)
{
    ConfirmSaveChanges();
    OpenDialog->setInitialDir(dialogFolder());
    if (!OpenDialog->Execute())
        return;
    m_lastFolder = QFileInfo(OpenDialog->fileName()).absolutePath();
    OpenDocument(OpenDialog->fileName());
    Editor->setReadOnly(OpenDialog->options().testFlag(TFileDialog::ofReadOnly));
}

void TMainForm::FileSave(QObject* Sender)
{
    if (m_documentName == StringTable::load(StringId::Untitled)) {
        FileSaveAs(Sender);
        return;
    }
    if (!m_diskCheck.mayOverwrite(m_documentName))
        return;
    Editor->lines()->SaveToFile(m_documentName);
    Editor->setModified(false);
    ShowModifiedState(false);
    documentStored(m_documentName, FileIdentity::of(m_documentName));
}

void TMainForm::FileSaveAs(QObject*)
{
    SaveDialog->setInitialDir(dialogFolder());
    if (!SaveDialog->Execute())
        return;
    const QString fileName = SaveDialog->fileName();
    m_lastFolder = QFileInfo(fileName).absolutePath();
    if (QFileInfo::exists(fileName)
        && DialogService::instance().confirm(StringTable::format(StringId::OverwritePrompt, {fileName}))
               != DialogService::Answer::Yes)
        return;
    // Save As writes rich text, also for a document read from a plain-text file.
    Editor->lines()->SaveAsRichText(fileName);
    SetDocumentName(fileName);
    Editor->setModified(false);
    ShowModifiedState(false);
    documentStored(fileName, FileIdentity::of(fileName));
}

void TMainForm::FilePrint(QObject*)
{
    // Without a printer the failure comes before any dialog.
    QPrinter& printer = TPrinter::instance().printer();
    if (PrintDialog->Execute(printer))
        RichEditPrinter::print(*Editor, m_documentName);
}

void TMainForm::FileExit(QObject*)
{
    Close();
}

void TMainForm::FormCloseQuery(QObject*, bool& CanClose)
{
    try {
        ConfirmSaveChanges();
        // Saved, or given up by choice: nothing is left to recover.
        m_recovery->discard();
    } catch (const SilentAbort&) {
        CanClose = false;
    } catch (...) {
        // A save that failed keeps the window open, and the user is told why.
        CanClose = false;
        MessageDispatch::report(std::current_exception());
    }
}

void TMainForm::documentStored(const QString& fileName, const FileIdentity& file)
{
    if (fileName.isEmpty())
        m_diskCheck.forget();
    else
        m_diskCheck.remember(fileName, file);
    m_recovery->discard();
}
