#pragma once

#include "richtext/PlainTextFormat.h"

#include <QString>

class QTextCharFormat;
class QTextDocument;
class ReadProgress;

// Loading and saving document files. A file is read as RTF when it starts as RTF, else as plain
// text in the default format; the extension changes nothing. Saving writes RTF, or plain text
// when asked to (a document read from a plain-text file is saved as it was read), to a
// temporary file in the same folder that replaces the old file only once it is complete and
// flushed (the old file's permissions are kept), so a failed save leaves the old file intact.
// Failures are AppError with the string table's messages: "Cannot open file %s",
// "Cannot create file %s", "Failed to Load Stream", "Failed to Save Stream".
class DocumentFile {
public:
    enum class Kind { RichText, PlainText };

    // Replaces the document's content. A file that cannot be opened leaves the document as it
    // was; one that fails while it is read leaves it partly read, so callers read into a document
    // of their own and drop it on failure. textFormat,
    // when given, receives how a plain-text file was written; progress, when given, follows the
    // read and may stop it, leaving the document unfinished (ReadProgress.h).
    static Kind load(const QString& path, QTextDocument& document, const QTextCharFormat& defaultFormat,
                     PlainTextFormat* textFormat = nullptr, ReadProgress* progress = nullptr);
    // The text the document would hold after load() (paragraphs separated by '\n'), without
    // building a document.
    static QString loadText(const QString& path);
    static void save(const QTextDocument& document, const QString& path);
    // Writes the RTF file input to output as load() and save() would, with defaultFace the
    // document's default face (the face of text that names none), without building a document,
    // so in time and memory in proportion to the file. False, with nothing written, when input is
    // not RTF or holds breaks only a document can tell how to write: load and save it then.
    static bool copyRichText(const QString& input, const QString& output, const QString& defaultFace);
    static void saveText(const QTextDocument& document, const QString& path, const PlainTextFormat& format);
};
