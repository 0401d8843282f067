#pragma once

#include "richtext/PlainTextFormat.h"

#include <QByteArray>

class QTextDocument;

// Writes a document's text as a plain-text file is written: in the file's encoding, with its
// byte-order mark and line breaks. Text that Windows-1252 cannot hold is written as UTF-8
// instead, and text that would read back as other characters in its encoding as UTF-8 with a
// byte-order mark, so that nothing typed is lost.
class PlainTextWriter {
public:
    static QByteArray encode(const QTextDocument& document, const PlainTextFormat& format);
    static QByteArray encode(QString text, const PlainTextFormat& format);
};
