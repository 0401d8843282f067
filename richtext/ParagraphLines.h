#pragma once

#include <QTextOption>
#include <QtGlobal>

class QPaintDevice;
class QTextBlock;
class QTextBlockFormat;
class QTextLayout;

// Breaks a paragraph into lines the way Qt's own document layout does, so that the editor's
// layout and the page renderer, which lay paragraphs out one at a time, break lines and stack
// them exactly as before: the margins, first-line indent, list indent, alignment and tab stops of
// the paragraph format, the document's text option, each line as high as its ascent, descent and
// leading rounded up. Paragraph spacing and floating objects are not part of our documents.
class ParagraphLines {
public:
    struct Area {
        qreal width = 0;              // of the text area, in the device's units
        QPaintDevice* device = nullptr; // the device laid out for (null: the screen)
        // Page breaks: pageHeight > 0 moves a line that does not fit on its page to the next one;
        // top is then the paragraph's top in the document (pages start at multiples of pageHeight).
        qreal pageHeight = 0;
        qreal top = 0;
    };

    // Lays out layout (the paragraph's own or one for its text) with format as the paragraph's
    // format and returns the height the paragraph takes. Line positions are relative to the
    // paragraph's top; layout's position is left as it is.
    static qreal layOut(const QTextBlock& block, const QTextBlockFormat& format, QTextLayout& layout,
                        const Area& area);
    // The text option Qt lays a paragraph of format out with.
    static QTextOption textOption(const QTextBlock& block, const QTextBlockFormat& format);
    // Qt's layout works in 26.6 fixed point, truncating: rounding a length the same way keeps
    // every line and page break where Qt puts them.
    static qreal fixed(qreal value);
};
