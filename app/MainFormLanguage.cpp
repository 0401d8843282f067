// The interface language: switching to another language module and reading the windows'
// layouts again from it, over the open windows, without losing the document.

#include "app/TMainForm.h"

#include "app/ReInit.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/TFont.h"
#include "framework/TPanel.h"
#include "framework/TRadioButton.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TTextAttributes.h"

void TMainForm::SwitchLanguage(QObject* Sender)
{
    auto* sender = qobject_cast<TRadioButton*>(Sender);
    if (!sender)
        return;
    // A new document is named with the "Untitled" text of the language in force, and Save
    // knows it as untitled only by that text: it takes the new language's text with the module.
    const bool untitled = m_documentName == StringTable::load(StringId::Untitled);
    if (!ReInit::LoadLanguageModule(sender->tag()))
        return;
    if (untitled)
        m_documentName = StringTable::load(StringId::Untitled);

    // Re-reading assigns the editor's font from the layout, and the control takes its font over
    // as its default attributes, which text without attributes of its own shows in: they are
    // kept whole and put back, so neither new text nor the document's look changes.
    TFont defaultAttributes;
    Editor->defaultAttributes()->assignTo(defaultAttributes);

    ReInit::ReloadAllForms();
    // The caption is the layout's own now: it shows the document's name again.
    SetDocumentName(m_documentName);

    // Checking the sender when it was not checked raises its click, which runs this switch once
    // more for the same language before this run goes on; the outcome is that of one run.
    LanguageEnglish->setCheckedState(sender == LanguageEnglish);
    LanguageFrench->setCheckedState(sender == LanguageFrench);
    LanguageGerman->setCheckedState(sender == LanguageGerman);

    Editor->defaultAttributes()->assign(defaultAttributes);
    SelectionChange(this);
    // The layout's design-time ruler replaced the ticks and the line's length.
    InitRulerTicks();
    RulerResize(Ruler);
    if (isVisible())
        Editor->setFocus();
}
