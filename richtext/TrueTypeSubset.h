#pragma once

#include <QByteArray>
#include <vector>

class QRawFont;

// A TrueType font program cut down to the glyphs a document uses, for embedding in a PDF. Glyph
// numbers stay as they are (the PDF addresses glyphs by number): the outlines of unused glyphs
// are left out, so their entries are empty, and the parts of composite glyphs are kept with them.
// Only fonts with TrueType outlines qualify.
class TrueTypeSubset {
public:
    // Whether raw has TrueType outlines and its licence lets it be embedded.
    static bool canEmbed(const QRawFont& raw);
    // The font program with the glyphs marked in used (indexed by glyph number) and glyph 0;
    // empty when the font's tables do not hold together.
    static QByteArray build(const QRawFont& raw, const std::vector<bool>& used);
};
