#pragma once

#include <QColor>
#include <QRectF>

class PageCanvas;
class QPainter;
class QTextBlock;
class QTextDocument;
class QTextLayout;

// Draws what Qt's text layout leaves to us, where RTF readers draw it: the marker of a bulleted
// or numbered paragraph at its first-line indent, and the leaders that fill the gap before a tab
// stop that has them. The editor and the page renderer both draw with it, so screen and page
// agree. The bullet is the bullet character in the paragraph's own face (any face that has it
// when that one does not), so it needs no symbol face.
class ParagraphDecorations {
public:
    // Draws the decorations of the paragraphs that meet area, in document coordinates; painter
    // draws in document coordinates too, on the device the document is laid out for, at dpi
    // dots per inch. Text without a colour of its own is drawn in textColor.
    static void paint(QPainter& painter, const QTextDocument& document, const QRectF& area, double dpi,
                      const QColor& textColor);
    // The same for one paragraph whose lines are in layout (the paragraph's own or one made for
    // it), at the layout's position.
    static void paintBlock(QPainter& painter, const QTextBlock& block, const QTextLayout& layout, double dpi,
                           const QColor& textColor);
    static void paintBlock(PageCanvas& canvas, const QTextBlock& block, const QTextLayout& layout, double dpi,
                           const QColor& textColor);
};
