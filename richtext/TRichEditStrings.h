#pragma once

#include <QObject>
#include <QString>

class TCustomRichEdit;

// The lines of a rich-text control as files see them: loading replaces the whole document
// (rich text when the file starts as RTF, else plain text in the default attributes) and
// saving always writes RTF, whatever the extension. Failures are AppError with the string
// table's messages; a failed load leaves the document as it was, a failed save the old file.
class TRichEditStrings : public QObject {
    Q_OBJECT

public:
    explicit TRichEditStrings(TCustomRichEdit* owner);

    void LoadFromFile(const QString& fileName);
    void SaveToFile(const QString& fileName) const;

    // The document's text, paragraphs separated by '\n'.
    QString text() const;

private:
    TCustomRichEdit* m_owner;
};
