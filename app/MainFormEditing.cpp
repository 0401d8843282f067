// The editing and formatting commands, and the mirroring of the selection into the controls.

#include "app/TMainForm.h"

#include "controls/TOwnerCheck.h"
#include "fontpickers/FontEnumerator.h"
#include "fontpickers/TFontNameComboBox.h"
#include "fontpickers/TFontSizeComboBox.h"
#include "framework/TAction.h"
#include "framework/TFontDialog.h"
#include "framework/TRadioButton.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TParaAttributes.h"
#include "richtext/TTextAttributes.h"

#include <QScopedValueRollback>

TTextAttributes* TMainForm::CurrentAttributes() const
{
    return Editor->selLength() > 0 ? Editor->selectionAttributes() : Editor->defaultAttributes();
}

void TMainForm::SelectionChange(QObject*)
{
    // The clicks that mirroring raises reach handlers that return at once while this is set.
    QScopedValueRollback<bool> updating(m_updating, true);
    PlaceRulerMarkers();
    // The style is read afresh for each box.
    BoldButton->setChecked(Editor->selectionAttributes()->style().testFlag(TFont::fsBold));
    ItalicButton->setChecked(Editor->selectionAttributes()->style().testFlag(TFont::fsItalic));
    UnderlineButton->setChecked(Editor->selectionAttributes()->style().testFlag(TFont::fsUnderline));
    BulletsButton->setChecked(Editor->paragraphAttributes()->numbering() != TParaAttributes::NoNumbering);
    switch (Editor->paragraphAttributes()->alignment()) {
    case TParaAttributes::LeftJustify:
        LeftAlign->setCheckedState(true);
        break;
    case TParaAttributes::RightJustify:
        RightAlign->setCheckedState(true);
        break;
    case TParaAttributes::Center:
        CenterAlign->setCheckedState(true);
        break;
    default:
        break;
    }
    UpdateCaretPosition();
}

void TMainForm::EditUndo(QObject*)
{
    Editor->Undo();
}

void TMainForm::EditCut(QObject*)
{
    Editor->CutToClipboard();
}

void TMainForm::EditCopy(QObject*)
{
    Editor->CopyToClipboard();
}

void TMainForm::EditPaste(QObject*)
{
    Editor->PasteFromClipboard();
}

void TMainForm::SelectFont(QObject*)
{
    Editor->selectionAttributes()->assignTo(*FontDialog1->font());
    if (FontDialog1->Execute())
        CurrentAttributes()->assign(*FontDialog1->font());
    SelectionChange(this);
    Editor->setFocus();
}

void TMainForm::AlignButtonClick(QObject* Sender)
{
    if (m_updating)
        return;
    if (Sender == LeftAlign)
        Editor->paragraphAttributes()->setAlignment(TParaAttributes::LeftJustify);
    else if (Sender == RightAlign)
        Editor->paragraphAttributes()->setAlignment(TParaAttributes::RightJustify);
    else if (Sender == CenterAlign)
        Editor->paragraphAttributes()->setAlignment(TParaAttributes::Center);
}

void TMainForm::ActionList2Update(QObject*, bool&)
{
    auto* cut = component<TAction>(QStringLiteral("EditCutCmd"));
    cut->setEnabled(Editor->selLength() > 0);
    component<TAction>(QStringLiteral("EditCopyCmd"))->setEnabled(cut->isEnabled());
    component<TAction>(QStringLiteral("EditUndoCmd"))->setEnabled(Editor->CanUndo());
    component<TAction>(QStringLiteral("EditPasteCmd"))->setEnabled(Editor->CanPaste());
}

void TMainForm::applyStyleBit(TOwnerCheck* box, int bit)
{
    if (m_updating)
        return;
    // The other bits go back as the control reported them.
    TFont::TFontStyles style = CurrentAttributes()->style();
    style.setFlag(TFont::TFontStyle(bit), box->checked());
    CurrentAttributes()->setStyle(style);
}

void TMainForm::BoldButtonClick(QObject*)
{
    applyStyleBit(BoldButton, TFont::fsBold);
}

void TMainForm::ItalicButtonClick(QObject*)
{
    applyStyleBit(ItalicButton, TFont::fsItalic);
}

void TMainForm::UnderlineButtonClick(QObject*)
{
    applyStyleBit(UnderlineButton, TFont::fsUnderline);
}

void TMainForm::BulletsButtonClick(QObject*)
{
    if (m_updating)
        return;
    Editor->paragraphAttributes()->setNumbering(BulletsButton->checked() ? TParaAttributes::Bullet
                                                                          : TParaAttributes::NoNumbering);
}

void TMainForm::LumaroLButton11Click(QObject*)
{
    Editor->ClearSelection();
}

void TMainForm::LumaroLButton13Click(QObject*)
{
    Editor->SelectAll();
}

void TMainForm::FillFontNames()
{
    // The picker has listed the screen's faces already in its after-load step; adding them again
    // would list every face twice, once without its pictogram.
    for (const FontFace& face : FontEnumerator::instance().faces(FontEnumerator::Device::Screen)) {
        if (FontName->findText(face.name, Qt::MatchFixedString) < 0)
            FontName->addName(face.name);
    }
}

void TMainForm::FontNameSelect(QObject*)
{
    // The control's own font: it becomes the default attributes of new text, also when the
    // font has that face already (new text may have another).
    const QString name = FontName->currentText();
    if (Editor->font()->name() == name)
        Editor->defaultAttributes()->assign(*Editor->font());
    else
        Editor->font()->setName(name);
}

void TMainForm::FontSizeComboBoxChange(QObject*)
{
    const int size = FontSize->CurrentSize();
    if (Editor->font()->size() == size)
        Editor->defaultAttributes()->assign(*Editor->font());
    else
        Editor->font()->setSize(size);
}

void TMainForm::FontNameChange(QObject*)
{
    if (m_updating || FontName->currentIndex() < 0)
        return;
    CurrentAttributes()->setName(FontName->itemText(FontName->currentIndex()));
}
