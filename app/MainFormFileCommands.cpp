// The file commands: New, Open, Save, Save As, Print, Exit, the save-changes prompt and the
// close query.

#include "app/TMainForm.h"

#include "app/KeyHold.h"
#include "app/LoadIndicator.h"
#include "app/RecoveryWriter.h"
#include "framework/AppError.h"
#include "framework/DialogService.h"
#include "framework/MessageDispatch.h"
#include "framework/SilentAbort.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/TOpenDialog.h"
#include "framework/TPrintDialog.h"
#include "framework/TPrinter.h"
#include "framework/TSaveDialog.h"
#include "richtext/DocumentLoader.h"
#include "richtext/RichEditPrinter.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TRichEditStrings.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QTextDocument>

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
    CancelLoad();
    SetDocumentName(StringTable::load(StringId::Untitled));
    Editor->Clear();
    Editor->setModified(false);
    ShowModifiedState(false);
    documentStored(QString(), FileIdentity());
}

void TMainForm::OpenDocument(const QString& fileName, const std::function<void()>& opened)
{
    // What cannot be opened at all fails here, at once.
    if (QFile file(fileName); !file.open(QIODevice::ReadOnly))
        throw AppError(StringTable::format(StringId::CannotOpenFile, {fileName}));
    prepareLoading();
    const bool wasLoading = m_loader->isLoading();
    m_loadingName = fileName;
    // Taken before reading, so that a change while the file is read counts as a change.
    m_loadingFile = FileIdentity::of(fileName);
    m_whenOpened = opened;
    m_revisionAtLoad = Editor->document()->revision();
    m_loader->start(fileName, Editor->defaultCharFormat());
    m_loadIndicator->begin(fileName);
    m_heldKeys->hold();
    Editor->setFocus();
    // The pointer says that the program works (and still takes input).
    if (!wasLoading)
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
}

bool TMainForm::loading() const
{
    return m_loader && m_loader->isLoading();
}

void TMainForm::CancelLoad()
{
    if (loading())
        m_loader->cancel();
}

void TMainForm::prepareLoading()
{
    if (m_loader)
        return;
    m_loader = new DocumentLoader(this);
    connect(m_loader, &DocumentLoader::progressed, this, &TMainForm::loadProgressed);
    connect(m_loader, &DocumentLoader::finished, this, &TMainForm::loadFinished);
    m_loadIndicator = new LoadIndicator(Editor);
    m_heldKeys = new KeyHold(Editor, [this](const QKeyEvent& key) {
        if (key.key() != Qt::Key_Escape || key.modifiers() != Qt::NoModifier)
            return false;
        CancelLoad();
        return true;
    });
}

void TMainForm::loadProgressed(int percent)
{
    m_loadIndicator->setPercent(percent);
}

void TMainForm::loadFinished()
{
    DocumentLoader::Result result = m_loader->takeResult();
    const std::function<void()> opened = std::exchange(m_whenOpened, {});
    m_loadIndicator->hide();
    QGuiApplication::restoreOverrideCursor();
    MessageDispatch::run([&] {
        // Keys typed during the load go to the document shown at its end, whatever it is.
        const auto release = qScopeGuard([this] {
            m_heldKeys->release();
            Q_EMIT loadEnded();
        });
        if (result.cancelled)
            return;
        if (!result.error.isEmpty())
            throw AppError(result.error);
        // Work done on the shown document while the new one loaded (a format, a drop) is not
        // discarded without asking.
        if (Editor->document()->revision() != m_revisionAtLoad)
            ConfirmSaveChanges();
        Editor->lines()->adopt(std::move(result.document), result.kind, result.textFormat);
        SetDocumentName(m_loadingName);
        Editor->setFocus();
        Editor->setModified(false);
        ShowModifiedState(false);
        documentStored(m_loadingName, m_loadingFile);
        if (opened)
            opened();
    });
}

void TMainForm::FileOpen(QObject*)
{
    ConfirmSaveChanges();
    OpenDialog->setInitialDir(dialogFolder());
    if (!OpenDialog->Execute())
        return;
    m_lastFolder = QFileInfo(OpenDialog->fileName()).absolutePath();
    const bool readOnly = OpenDialog->options().testFlag(TFileDialog::ofReadOnly);
    OpenDocument(OpenDialog->fileName(), [this, readOnly] { Editor->setReadOnly(readOnly); });
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
