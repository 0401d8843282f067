#pragma once

#include <QString>

class QTextDocument;

// Writes a document as a PDF file with the same layout and page loop as printing: the page size
// of the user's locale (Letter where US measures are used, else A4) with 15 mm margins. The file
// is replaced only once it is complete. Failures are AppError ("Cannot create file %s").
class PdfExporter {
public:
    // The document is laid out for the PDF's pages on the way.
    static void write(QTextDocument& document, const QString& path, const QString& title);
};
