#include "richtext/TRichEditStrings.h"

#include "richtext/DocumentDefaults.h"
#include "richtext/DocumentFile.h"
#include "richtext/ParagraphPieces.h"
#include "richtext/TCustomRichEdit.h"

#include <QTextDocument>
#include <memory>

TRichEditStrings::TRichEditStrings(TCustomRichEdit* owner) : QObject(owner), m_owner(owner) {}

void TRichEditStrings::LoadFromFile(const QString& fileName)
{
    // The file is read into a document of its own, so a failure leaves the control's as it
    // was, and the text is laid out once, when the control takes it over.
    auto document = std::make_unique<QTextDocument>();
    DocumentDefaults::setCharFormat(*document, m_owner->defaultCharFormat());
    // Plain text carries no attributes of its own: it shows in the default attributes.
    PlainTextFormat textFormat;
    const DocumentFile::Kind kind = DocumentFile::load(fileName, *document, QTextCharFormat(), &textFormat);
    adopt(std::move(document), kind, textFormat);
}

void TRichEditStrings::adopt(std::unique_ptr<QTextDocument> document, DocumentFile::Kind kind,
                             const PlainTextFormat& textFormat)
{
    m_owner->replaceDocument(document.release());
    if (kind == DocumentFile::Kind::PlainText)
        m_plainTextFormat = textFormat;
    else
        m_plainTextFormat.reset();
}

void TRichEditStrings::SaveToFile(const QString& fileName)
{
    if (m_plainTextFormat)
        DocumentFile::saveText(*m_owner->document(), fileName, *m_plainTextFormat);
    else
        saveRichText(fileName);
}

void TRichEditStrings::SaveAsRichText(const QString& fileName)
{
    saveRichText(fileName);
    m_plainTextFormat.reset();
}

void TRichEditStrings::saveRichText(const QString& fileName) const
{
    const QTextDocument& document = *m_owner->document();
    if (!DocumentDefaults::beyondDefaultFont(document)) {
        DocumentFile::save(document, fileName);
        return;
    }
    // The file must show text without attributes of its own as the control does.
    const std::unique_ptr<QTextDocument> copy(document.clone());
    DocumentDefaults::setCharFormat(*copy, m_owner->defaultCharFormat());
    copy->setUndoRedoEnabled(false);
    DocumentDefaults::resolveAll(*copy);
    DocumentFile::save(*copy, fileName);
}

QString TRichEditStrings::text() const
{
    return ParagraphPieces::joined(*m_owner->document(), 0, m_owner->document()->toPlainText());
}
