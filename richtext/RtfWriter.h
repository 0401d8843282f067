#pragma once

#include <QByteArray>

class QIODevice;
class QTextDocument;

// Writes a whole document as RTF that our reader, word processors and converters read back
// with the same text, faces, sizes, styles, colours, alignment, indents and bullets
// (see DocumentFormat.h for how the document holds them).
class RtfWriter {
public:
    static QByteArray toRtf(const QTextDocument& document);
    // False when the device refuses a write.
    static bool write(const QTextDocument& document, QIODevice& device);
};
