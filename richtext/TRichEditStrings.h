#pragma once

#include "richtext/DocumentFile.h"
#include "richtext/PlainTextFormat.h"

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QTextDocument;
class TCustomRichEdit;

// The lines of a rich-text control as files see them: loading replaces the whole document
// (rich text when the file starts as RTF, else plain text in the default attributes). Saving
// writes RTF, whatever the extension, except that a document read from a plain-text file is
// saved as plain text again, in the encoding and with the line breaks it was read with, until
// it is saved as rich text once. Failures are AppError with the string table's messages; a
// failed load leaves the document as it was, a failed save the old file.
class TRichEditStrings : public QObject {
    Q_OBJECT

public:
    explicit TRichEditStrings(TCustomRichEdit* owner);

    void LoadFromFile(const QString& fileName);
    // Takes over a document read elsewhere (DocumentLoader) as LoadFromFile takes the one it reads.
    void adopt(std::unique_ptr<QTextDocument> document, DocumentFile::Kind kind, const PlainTextFormat& textFormat);
    void SaveToFile(const QString& fileName);
    // Writes RTF whatever the document was read from; from then on it is a rich-text document.
    void SaveAsRichText(const QString& fileName);

    // How the document's plain-text file was written; nothing for a rich-text document.
    const std::optional<PlainTextFormat>& plainTextFormat() const { return m_plainTextFormat; }
    // A new document is a rich-text one.
    void forgetPlainTextFormat() { m_plainTextFormat.reset(); }
    // A document recovered from a copy is saved as its own file was written.
    void setPlainTextFormat(const std::optional<PlainTextFormat>& format) { m_plainTextFormat = format; }

    // The document's text, paragraphs separated by '\n'.
    QString text() const;

private:
    void saveRichText(const QString& fileName) const;

    TCustomRichEdit* m_owner;
    std::optional<PlainTextFormat> m_plainTextFormat;
};
