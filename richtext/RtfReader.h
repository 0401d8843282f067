#pragma once

#include "richtext/RtfSink.h"
#include "richtext/RtfTokenizer.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;
class QTextDocument;
class ReadProgress;

// Reads RTF as word processors, converters and the simple editors of operating systems write
// it. Data that does not start as RTF ("{\rtf") is refused so that the caller can read it as
// plain text; anything that starts as RTF is accepted and read as well as it can be: the reader
// never throws for bad content, keeps no recursion a file can drive deep and holds memory in
// proportion to the input.
class RtfReader {
public:
    // Whether data starts as RTF (an optional UTF-8 byte-order mark and blanks, then "{\rtf").
    static bool looksLikeRtf(QByteArrayView data);

    // Reads data into sink; false (sink untouched) when data is not RTF.
    static bool parse(QByteArrayView data, RtfSink& sink);
    // The same from a device, read as read() reads one.
    static bool parse(QIODevice& device, RtfSink& sink, qsizetype blockSize = RtfTokenizer::DefaultBlockSize);

    // Replaces the content of document; false (document untouched) when data is not RTF.
    // Undo is off while the document is built and the undo history is gone afterwards.
    // progress, when given, follows the read and may stop it (ReadProgress.h).
    static bool read(QByteArrayView data, QTextDocument& document, ReadProgress* progress = nullptr);
    // The same from a device, read from its current position a block of blockSize bytes at a time
    // (a device that cannot seek is read whole first): false when it cannot be read or is not
    // RTF. A failure to read ends the document early; the device's error() tells.
    static bool read(QIODevice& device, QTextDocument& document, ReadProgress* progress = nullptr,
                     qsizetype blockSize = RtfTokenizer::DefaultBlockSize);

    // The document's text only, paragraphs ended by '\n' except the last, a line break as '\n':
    // the same text as read() puts into a document. False when data is not RTF.
    static bool readText(QByteArrayView data, QString& text);
    // The same from a device, read as read() reads one.
    static bool readText(QIODevice& device, QString& text, qsizetype blockSize = RtfTokenizer::DefaultBlockSize);
};
