#pragma once

#include "richtext/DocumentFormat.h"

class QTextBlock;
class QTextDocument;

// Derives what Qt lays a paragraph out with (margins, first-line indent, tab positions) from the
// paragraph as the document holds it (DocumentFormat.h), the way RTF readers lay it out:
// - the first line starts at the first-line indent, the following lines at the left indent;
// - tab stops are measured from the text area's left edge; after the last explicit stop come the
//   document's default stops, and on the first line of a hanging paragraph the left indent is a
//   stop too;
// - a bulleted or numbered paragraph has its marker at the first-line indent and the text of its
//   first line at the first stop after the marker (usually the left indent).
// The editor lays documents out at the screen's resolution, printing at the printer's; the
// painter of markers and leaders (ParagraphDecorations) reads the same geometry.
class ParagraphLayout {
public:
    // What stands before the first line of a bulleted or numbered paragraph.
    struct Marker {
        DocumentFormat::ListKind kind = DocumentFormat::ListKind::None;
        int number = 1;        // of a numbered paragraph
        int sizeTwips = 240;   // of the text it is drawn in
        // How much room it takes: a bullet about half an em, a number's digits and point about
        // what they take in a common face. Readers place the text at the first stop after the
        // marker, so only a stop that lies within the marker depends on this.
        int widthTwips() const;
    };

    struct Geometry {
        int firstLineStartTwips = 0; // where the first line's text starts
        int leftTwips = 0;           // where the following lines start
        int rightTwips = 0;          // from the right edge
        TabStops stops;              // explicit stops after the first line's start, with the hanging one
    };

    static Geometry geometry(const QTextBlockFormat& format, const Marker& marker, int defaultTabTwips);
    // The stop a tab that starts at twips (from the left edge) goes to, or an invalid one (-1) when
    // it goes to a default stop.
    static TabStop stopAfter(const Geometry& geometry, int twips);

    // Sets what Qt lays the paragraph out with at dpi. Qt aligns on a decimal point only where
    // one follows the tab; readers align text without one by its end, as at a right stop:
    // pointAfterTab tells which of the two the paragraph's text needs.
    static void apply(QTextBlockFormat& format, const Marker& marker, int defaultTabTwips, double dpi,
                      bool pointAfterTab);
    static bool hasPointAfterTab(QStringView text);
    static bool hasDecimalStop(const QTextBlockFormat& format);
    // The same for a paragraph of a document: its list, the size of its text, the document's
    // default tab width.
    static QTextBlockFormat laidOut(const QTextBlock& block, double dpi);
    static Geometry geometry(const QTextBlock& block);
    // Lays out the paragraphs from first to last (inclusive) anew where that changes something.
    static void layOut(QTextDocument& document, const QTextBlock& first, const QTextBlock& last, double dpi);
    static void layOutAll(QTextDocument& document, double dpi);

    // The marker of a paragraph of a document (drawn in the face and size of its first character,
    // else of its mark).
    static Marker marker(const QTextBlock& block);
    static QTextCharFormat markerFormat(const QTextBlock& block);
};
