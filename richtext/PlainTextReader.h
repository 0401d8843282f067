#pragma once

#include "richtext/PlainTextFormat.h"

#include <QByteArrayView>
#include <QString>

class QTextCharFormat;
class QTextDocument;
class ReadProgress;

// Plain text. A byte-order mark decides the encoding (UTF-8, UTF-16 little or big endian);
// without one, UTF-8 when the bytes are valid UTF-8 or at least as many of their multi-byte
// sequences are valid as bytes are not (a few bad bytes then read alone as Windows-1252), else
// Windows-1252. CR LF, a lone CR and a lone LF each end one paragraph; a NUL is dropped on its
// own. The whole text is decoded at once, so nothing depends on how it was read.
class PlainTextReader {
public:
    // The text with every line break as '\n'; format, when given, receives how it was written.
    static QString decode(QByteArrayView bytes, PlainTextFormat* format = nullptr);
    // Replaces the content of document with the paragraphs of bytes in format. progress, when
    // given, follows the read and may stop it (ReadProgress.h).
    static void read(QByteArrayView bytes, QTextDocument& document, const QTextCharFormat& format,
                     PlainTextFormat* textFormat = nullptr, ReadProgress* progress = nullptr);
    // The same with text decoded already, whose memory is given back as the document takes it.
    static void fill(QString text, QTextDocument& document, const QTextCharFormat& format,
                     ReadProgress* progress = nullptr);
};
