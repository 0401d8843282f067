#pragma once

#include <QByteArray>

class QRawFont;

// A face with CFF outlines (an OpenType .otf file), embedded whole as an OpenType font program:
// a PDF addresses its glyphs by number as it does a TrueType subset's, but its outlines are not
// cut down.
class CffFontProgram {
public:
    // Whether raw has CFF outlines and its licence lets it be embedded.
    static bool canEmbed(const QRawFont& raw);
    static QByteArray build(const QRawFont& raw);
};
