#pragma once

#include <QString>

class QTextDocument;

// Writes a document as a PDF file with the same layout and page loop as printing: the paper of
// the user's locale (LC_PAPER) with 15 mm margins. The file
// is replaced only once it is complete. Failures are AppError ("Cannot create file %s").
class PdfExporter {
public:
    // The document is laid out for the PDF's pages on the way. Text is written as runs of glyphs
    // in fonts embedded by us; a document with a face we cannot embed as it is drawn is written
    // by Qt's PDF engine instead.
    static void write(QTextDocument& document, const QString& path, const QString& title);
    // Always through Qt's PDF engine, which places each glyph on its own: the same pages, larger
    // and slower.
    static void writeWithQtEngine(QTextDocument& document, const QString& path, const QString& title);
};
