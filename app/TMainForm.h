#pragma once

#include "app/DiskChangeCheck.h"
#include "framework/TForm.h"

#include <functional>
#include <memory>

class DocumentLoader;
class FileDropFilter;
class KeyHold;
class KeyboardAccess;
class LoadIndicator;
class RecoveryWriter;
class TabStopMarks;
class TBevel;
class TCustomRichEdit;
class TLabel;
class TOwnerCheck;
class TPanel;
class TFontDialog;
class TFontNameComboBox;
class TFontSizeComboBox;
class TOpenDialog;
class TPrintDialog;
class TRadioButton;
class TSaveDialog;
class TStatusBar;
class TTextAttributes;

// The main window: one document in the editor, its file name in the caption, the hidden status
// line, the file commands, the editing and formatting commands and the interface language.
// Its handlers are grouped by subject in the MainForm*.cpp files.
class TMainForm : public TForm {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* owner = nullptr);
    ~TMainForm() override;

    // The name of the current document: the "Untitled" text for a new one, else the name exactly
    // as it was given.
    QString documentName() const { return m_documentName; }
    bool updating() const { return m_updating; }

    TCustomRichEdit* editor() const { return Editor; }
    TStatusBar* statusBar() const { return StatusBar; }

    // Start-up and status line.
    void SetDocumentName(const QString& name);
    void UpdateCaretPosition();
    void ShowModifiedState(bool modified);
    void SetFormatRect();
    // A file dropped on the window (only the first of several is passed here).
    void HandleDropFiles(const QString& fileName);

    // File commands.
    void ConfirmSaveChanges();
    // Loads the file into the editor while the window goes on working: the load shows its
    // progress, Escape cancels it and leaves the document as it was, and keys typed meanwhile go
    // to the new document once it is shown. Then the name, caption, focus and modified state
    // follow, and opened runs. A file that cannot be opened fails at once; a failure while it is
    // read is shown when it comes, and the document and its name stay as they were.
    void OpenDocument(const QString& fileName, const std::function<void()>& opened = {});
    bool loading() const;
    // Gives up the load under way; the document stays as it was.
    void CancelLoad();
    // The folder the file dialogs start in: the current document's, else the last one a file
    // was chosen in, else the user's documents folder.
    QString dialogFolder() const;

    // Crash recovery: offers the copies of unsaved work that no running instance owns.
    void OfferRecovery();
    RecoveryWriter* recoveryWriter() const { return m_recovery.get(); }

    // Editing and formatting.
    TTextAttributes* CurrentAttributes() const;
    // Adds the screen's typeface names that the font-name picker does not list yet.
    void FillFontNames();

    // Ruler.
    void InitRulerTicks();
    // Places the three markers at the indents of the paragraph that holds the selection (on the
    // ruler, also when an indent lies beyond it).
    void PlaceRulerMarkers();
    // The ruler's bars at the document's default tab stops.
    void ShowDefaultTabStops();
    // Brings the markers to the current paragraph's indents after any change of the document.
    void FollowParagraphChange();

public Q_SLOTS:
    void Loaded();

    void FormCreate(QObject* Sender);
    void FormShow(QObject* Sender);
    void FormResize(QObject* Sender);
    void FormPaint(QObject* Sender);
    void RichEditChange(QObject* Sender);
    void ShowHint(QObject* Sender);

    void FileNew(QObject* Sender);
    void FileOpen(QObject* Sender);
    void FileSave(QObject* Sender);
    void FileSaveAs(QObject* Sender);
    void FilePrint(QObject* Sender);
    void FileExit(QObject* Sender);
    void FormCloseQuery(QObject* Sender, bool& CanClose);

    void SelectionChange(QObject* Sender);
    void EditUndo(QObject* Sender);
    void EditCut(QObject* Sender);
    void EditCopy(QObject* Sender);
    void EditPaste(QObject* Sender);
    void SelectFont(QObject* Sender);
    void AlignButtonClick(QObject* Sender);
    void ActionList2Update(QObject* Action, bool& Handled);
    void BoldButtonClick(QObject* Sender);
    void ItalicButtonClick(QObject* Sender);
    void UnderlineButtonClick(QObject* Sender);
    void BulletsButtonClick(QObject* Sender);
    void FontNameSelect(QObject* Sender);
    void FontSizeComboBoxChange(QObject* Sender);
    void FontNameChange(QObject* Sender);
    void LumaroLButton11Click(QObject* Sender);
    void LumaroLButton13Click(QObject* Sender);

    void RulerResize(QObject* Sender);
    void RulerItemMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void RulerItemMouseMove(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y);
    void FirstIndMouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void LeftIndMouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void RightIndMouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

    void HelpAbout(QObject* Sender);
    void LumaroLButton14Click(QObject* Sender);
    void LumaroLButton15Click(QObject* Sender);

    void SwitchLanguage(QObject* Sender);

Q_SIGNALS:
    // A load has ended: its document is shown, or it failed or was cancelled.
    void loadEnded();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Tab and Shift+Tab go round the window's controls in reading order.
    bool focusNextPrevChild(bool next) override;

private:
    // Sets or clears one style bit of the current attributes from its check box.
    void applyStyleBit(TOwnerCheck* box, int bit);

    // Saves the session's work when the desktop session ends; a refusal keeps the session.
    void commitData(class QSessionManager& manager);
    // The document now is what its file holds: what a later save checks against, and no
    // recovery copy.
    void documentStored(const QString& fileName, const FileIdentity& file);

    void prepareLoading();
    void loadProgressed(int percent);
    void loadFinished();

    TCustomRichEdit* Editor = nullptr;
    TStatusBar* StatusBar = nullptr;
    TRadioButton* LanguageEnglish = nullptr;
    TRadioButton* LanguageGerman = nullptr;
    TRadioButton* LanguageFrench = nullptr;
    TRadioButton* LeftAlign = nullptr;
    TRadioButton* CenterAlign = nullptr;
    TRadioButton* RightAlign = nullptr;
    TOpenDialog* OpenDialog = nullptr;
    TSaveDialog* SaveDialog = nullptr;
    TPrintDialog* PrintDialog = nullptr;
    TFontDialog* FontDialog1 = nullptr;
    TFontNameComboBox* FontName = nullptr;
    TFontSizeComboBox* FontSize = nullptr;
    TOwnerCheck* BoldButton = nullptr;
    TOwnerCheck* ItalicButton = nullptr;
    TOwnerCheck* UnderlineButton = nullptr;
    TOwnerCheck* BulletsButton = nullptr;
    TPanel* Ruler = nullptr;
    TLabel* FirstInd = nullptr;
    TLabel* LeftInd = nullptr;
    TLabel* RightInd = nullptr;
    TBevel* RulerLine = nullptr;

    QString m_documentName;
    // The folder of the file last chosen in a file dialog.
    QString m_lastFolder;
    KeyboardAccess* m_keyboard = nullptr;
    DiskChangeCheck m_diskCheck;
    std::unique_ptr<RecoveryWriter> m_recovery;
    bool m_updating = false;
    // Half the width of the ruler marker last pressed, kept until the next press.
    int m_dragOffset = 0;
    bool m_dragging = false;
    bool m_droppingMarker = false;
    FileDropFilter* m_editorDrops = nullptr;
    TabStopMarks* m_tabStopMarks = nullptr;

    DocumentLoader* m_loader = nullptr;
    KeyHold* m_heldKeys = nullptr;
    LoadIndicator* m_loadIndicator = nullptr;
    QString m_loadingName;
    std::function<void()> m_whenOpened;
    int m_revisionAtLoad = 0;
    FileIdentity m_loadingFile;
};
