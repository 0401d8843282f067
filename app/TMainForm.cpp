// The main window's start-up, the caption and the hidden status line, the editor's format rectangle and files
// dropped on the window.

#include "app/TMainForm.h"

#include "app/AccessibleTexts.h"
#include "app/FileDropFilter.h"
#include "app/KeyboardAccess.h"
#include "app/LocaleTable.h"
#include "app/RecoveryWriter.h"
#include "app/StartupEnvironment.h"
#include "framework/MessageDispatch.h"
#include "framework/MulDiv.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "controls/TOwnerCheck.h"
#include "fontpickers/TFontNameComboBox.h"
#include "fontpickers/TFontSizeComboBox.h"
#include "framework/TApplication.h"
#include "framework/TBevel.h"
#include "framework/TFontDialog.h"
#include "framework/TLabel.h"
#include "framework/TOpenDialog.h"
#include "framework/TPanel.h"
#include "framework/TPrintDialog.h"
#include "framework/TRadioButton.h"
#include "framework/TSaveDialog.h"
#include "framework/TStatusBar.h"
#include "framework/TextFormat.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TRichEditStrings.h"
#include "richtext/TTextAttributes.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QSessionManager>
#include <QStandardPaths>
#include <QUrl>

namespace {
// The user's documents folder, or the home folder where there is none.
QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}
} // namespace

TMainForm::TMainForm(QWidget* owner) : TForm(owner)
{
    setAcceptDrops(false);
}

// Out of line for the recovery writer, which goes before the editor it watches.
TMainForm::~TMainForm()
{
    // A window closed while a document loads gives the load up; the pointer is the program's again.
    if (loading())
        QGuiApplication::restoreOverrideCursor();
}

void TMainForm::Loaded()
{
    Editor = component<TCustomRichEdit>(QStringLiteral("Editor"));
    StatusBar = component<TStatusBar>(QStringLiteral("StatusBar"));
    LanguageEnglish = component<TRadioButton>(QStringLiteral("LanguageEnglish"));
    LanguageGerman = component<TRadioButton>(QStringLiteral("LanguageGerman"));
    LanguageFrench = component<TRadioButton>(QStringLiteral("LanguageFrench"));
    LeftAlign = component<TRadioButton>(QStringLiteral("LeftAlign"));
    CenterAlign = component<TRadioButton>(QStringLiteral("CenterAlign"));
    RightAlign = component<TRadioButton>(QStringLiteral("RightAlign"));
    OpenDialog = component<TOpenDialog>(QStringLiteral("OpenDialog"));
    SaveDialog = component<TSaveDialog>(QStringLiteral("SaveDialog"));
    PrintDialog = component<TPrintDialog>(QStringLiteral("PrintDialog"));
    FontDialog1 = component<TFontDialog>(QStringLiteral("FontDialog1"));
    FontName = component<TFontNameComboBox>(QStringLiteral("FontName"));
    FontSize = component<TFontSizeComboBox>(QStringLiteral("FontSize"));
    BoldButton = component<TOwnerCheck>(QStringLiteral("BoldButton"));
    ItalicButton = component<TOwnerCheck>(QStringLiteral("ItalicButton"));
    UnderlineButton = component<TOwnerCheck>(QStringLiteral("UnderlineButton"));
    BulletsButton = component<TOwnerCheck>(QStringLiteral("BulletsButton"));
    Ruler = component<TPanel>(QStringLiteral("Ruler"));
    FirstInd = component<TLabel>(QStringLiteral("FirstInd"));
    LeftInd = component<TLabel>(QStringLiteral("LeftInd"));
    RightInd = component<TLabel>(QStringLiteral("RightInd"));
    RulerLine = component<TBevel>(QStringLiteral("RulerLine"));
    // After every reading of the layout, also the one of a switch of language.
    AccessibleTexts::apply(*this);
}

void TMainForm::FormCreate(QObject*)
{
    connect(&TApplication::instance(), &TApplication::OnHint, this, &TMainForm::ShowHint, Qt::UniqueConnection);
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(application, &QGuiApplication::commitDataRequest, this, &TMainForm::commitData,
                Qt::UniqueConnection);
    }

    if (!m_recovery) {
        m_recovery = std::make_unique<RecoveryWriter>(
            *Editor, [this] {
                // An untitled document is named in the language of the moment: the copy keeps no name.
                const bool untitled = m_documentName == StringTable::load(StringId::Untitled);
                return RecoveryWriter::Origin{untitled ? QString() : m_documentName, m_diskCheck.file(),
                                              Editor->lines()->plainTextFormat()};
            });
        // Tests that kill the program shorten the pause before a copy is written.
        if (const int pause = qEnvironmentVariableIntValue("LUMARO_RECOVERY_PAUSE_MS"); pause > 0)
            m_recovery->setDelays(pause, pause);
    }

    // The dialogs start in the folder of the work at hand (dialogFolder), not the program's.
    OpenDialog->setInitialDir(documentsFolder());
    SaveDialog->setInitialDir(documentsFolder());
    m_keyboard = new KeyboardAccess(*this);

    SetDocumentName(StringTable::load(StringId::Untitled));
    FillFontNames();
    InitRulerTicks();
    SelectionChange(this);

    // New text starts in the framework's default font: its height is -MulDiv(8, dpi, 72) pixels,
    // which is 8 points again at the usual resolutions.
    const int dpi = TFont::screenDpi();
    const int defaultHeight = -mulDiv(8, dpi, 72);
    CurrentAttributes()->setName(TFont::defaultFaceName());
    CurrentAttributes()->setSize(-mulDiv(defaultHeight, 72, dpi));

    LanguageEnglish->setTag(LocaleTable::EnglishUnitedStates);
    LanguageFrench->setTag(LocaleTable::FrenchFrance);
    LanguageGerman->setTag(LocaleTable::GermanGermany);

    switch (StartupEnvironment::localeId()) {
    case LocaleTable::GermanGermany:
        SwitchLanguage(LanguageGerman);
        break;
    case LocaleTable::EnglishUnitedStates:
        SwitchLanguage(LanguageEnglish);
        break;
    case LocaleTable::FrenchFrance:
        SwitchLanguage(LanguageFrench);
        break;
    default:
        break;
    }
}

void TMainForm::FormShow(QObject*)
{
    UpdateCaretPosition();
    setAcceptDrops(true);
    // The editor covers most of the window: a file dropped there is opened too.
    if (!m_editorDrops)
        m_editorDrops = new FileDropFilter(Editor->viewport(), [this](const QString& fileName) {
            MessageDispatch::run([&] { HandleDropFiles(fileName); });
        });
    RichEditChange(this);
    Editor->setFocus();
    const QStringList arguments = StartupEnvironment::arguments();
    if (!arguments.isEmpty() && QFileInfo(arguments.constFirst()).isFile())
        OpenDocument(arguments.constFirst());
    // Once the window is on screen.
    QMetaObject::invokeMethod(
        this, [this] { MessageDispatch::run([this] { OfferRecovery(); }); }, Qt::QueuedConnection);
}

bool TMainForm::focusNextPrevChild(bool next)
{
    return (m_keyboard && m_keyboard->moveFocus(next)) || TForm::focusNextPrevChild(next);
}

QString TMainForm::dialogFolder() const
{
    if (m_documentName != StringTable::load(StringId::Untitled)) {
        const QFileInfo document(m_documentName);
        if (document.absoluteDir().exists())
            return document.absolutePath();
    }
    if (!m_lastFolder.isEmpty() && QFileInfo(m_lastFolder).isDir())
        return m_lastFolder;
    return documentsFolder();
}

void TMainForm::SetDocumentName(const QString& name)
{
    m_documentName = name;
    const QString filePart = name.mid(name.lastIndexOf(u'/') + 1);
    setCaption(formatText(QStringLiteral("%s - %s"), {filePart, TApplication::instance().title()}));
}

void TMainForm::UpdateCaretPosition()
{
    const int start = Editor->selStart();
    const int line = Editor->lineFromChar(start);
    const int lineStart = Editor->lineIndex(line);
    StatusBar->panels()->item(0)->setText(StringTable::format(StringId::LineColumn, {line + 1, start - lineStart + 1}));
}

void TMainForm::RichEditChange(QObject*)
{
    ShowModifiedState(Editor->modified());
    // Whatever changed the document (a command, undo, a paste) may have moved the indents.
    FollowParagraphChange();
    if (m_recovery)
        m_recovery->documentChanged();
}

void TMainForm::ShowModifiedState(bool modified)
{
    StatusBar->panels()->item(1)->setText(modified ? StringTable::load(StringId::Modified) : QString());
}

void TMainForm::ShowHint(QObject*)
{
    const QString hint = TApplication::instance().hint();
    if (hint.isEmpty()) {
        StatusBar->setSimplePanel(false);
        return;
    }
    StatusBar->setSimplePanel(true);
    StatusBar->setSimpleText(hint);
}

void TMainForm::SetFormatRect()
{
    const QSize client = Editor->clientSize();
    Editor->setFormatRect(QRect(QPoint(6, 0), QPoint(client.width() - 6 - 1, client.height() - 1)));
}

void TMainForm::FormResize(QObject*)
{
    if (!Editor)
        return; // the layout is still being read
    SetFormatRect();
    SelectionChange(this);
}

void TMainForm::FormPaint(QObject*)
{
    if (Editor)
        SetFormatRect();
}

void TMainForm::HandleDropFiles(const QString& fileName)
{
    if (fileName.isEmpty())
        return;
    ConfirmSaveChanges();
    OpenDocument(fileName);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!FileDropFilter::firstDroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    // The drop is finished whatever happens to the file.
    event->acceptProposedAction();
    const QString fileName = FileDropFilter::firstDroppedFile(event->mimeData());
    MessageDispatch::run([&] { HandleDropFiles(fileName); });
}

void TMainForm::commitData(QSessionManager& manager)
{
    if (!Editor->modified() || !manager.allowsInteraction())
        return;
    bool canClose = true;
    FormCloseQuery(this, canClose);
    manager.release();
    if (!canClose)
        manager.cancel();
}
