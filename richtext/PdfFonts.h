#pragma once

#include <QByteArray>
#include <QRawFont>
#include <QString>

#include <memory>
#include <vector>

class PdfFile;

// The fonts of a PDF being written: each face the text uses is embedded once (a TrueType one cut
// down to the glyphs drawn with it, a CFF one whole), with a map from its glyphs back to the characters they show (so the text
// can be searched and copied); each size of a face is a font of its own whose glyph widths are
// the advances the layout gave, so text is placed by its glyphs alone and needs a correction only
// where the layout moved a glyph from its advance (kerning, justification, letter spacing).
class PdfFonts {
public:
    // Thrown for a face that cannot be embedded as it is drawn: no outlines (a bitmap face), a licence
    // that forbids it, or a style the face lacks that would have to be made up (slanted or
    // emboldened).
    struct Unsupported {};

    struct Face;
    // A face at one size, as the page content names it.
    struct Sized {
        int object = 0; // the font's object number, also its name in the pages' resources
        qreal size = 0; // in device pixels
        Face* face = nullptr;
        QRawFont raw;
        std::vector<float> advances; // by glyph number, in device pixels; negative until known
    };

    // wholeFaces: faces that can only be embedded whole (CFF outlines) may be; otherwise they are
    // Unsupported.
    explicit PdfFonts(bool wholeFaces);
    ~PdfFonts();
    PdfFonts(const PdfFonts&) = delete;
    PdfFonts& operator=(const PdfFonts&) = delete;

    // The font raw draws with. Throws Unsupported.
    Sized& fontFor(PdfFile& file, const QRawFont& raw);
    // The advance of glyph in font, in device pixels.
    float advance(Sized& font, quint32 glyph);
    // Records that glyphs are drawn and show text: in order, one character each, when paired and
    // the counts agree; otherwise each character is looked up in the face.
    void recordGlyphs(Sized& font, const quint32* glyphs, qsizetype count, QStringView text, bool paired);
    // Writes every font and what it refers to.
    void write(PdfFile& file);
    // Whether a face is embedded as OpenType, which PDF knows from version 1.6 on.
    bool needsOpenType() const;

private:
    std::vector<std::unique_ptr<Face>> m_faces;
    std::vector<std::unique_ptr<Sized>> m_sized;
    Sized* m_last = nullptr;
    bool m_wholeFaces;
};
