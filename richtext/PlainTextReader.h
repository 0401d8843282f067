#pragma once

#include <QByteArrayView>
#include <QString>

class QTextCharFormat;
class QTextDocument;

// Plain text: UTF-8 (with or without a byte-order mark) when the bytes are valid UTF-8, else
// Windows-1252. CR LF, a lone CR and a lone LF each end one paragraph; a NUL byte is dropped
// on its own. The whole text is decoded at once, so nothing depends on how it was read.
class PlainTextReader {
public:
    // The text with every line break as '\n'.
    static QString decode(QByteArrayView bytes);
    // Replaces the content of document with the paragraphs of bytes in format.
    static void read(QByteArrayView bytes, QTextDocument& document, const QTextCharFormat& format);
};
