#pragma once

#include <QRect>
#include <functional>

class PageCanvas;
class QPainter;
class QTextDocument;

// Lays a document out for a paged device and draws it page by page: the layout follows the
// device (its resolution and printable width), a new page is started only while text remains,
// and an empty document gives one blank page. Paragraphs are laid out one at a time as the pages
// are drawn and forgotten once their last page is out, so memory stays bounded by a page's worth
// whatever the document's length. Used for printing and for PDF output.
class PageRenderer {
public:
    // The rendering rectangle in twips for a printable area in device pixels: each side is
    // pixels * 1440 / pixels per inch of its axis, truncated.
    static QRect renderingRectTwips(const QSize& printablePixels, int dpiX, int dpiY);

    // Lays document out for painter's device, which has dpiX by dpiY pixels per inch and the
    // given printable size in pixels, and draws it. newPage is called between pages (not before
    // the first or after the last). Returns the number of pages drawn. The document is changed
    // for the device (its layout, margin and page size): give it a copy made for drawing.
    static int renderDocument(QTextDocument& document, QPainter& painter, const QSize& printablePixels, int dpiX,
                              int dpiY, const std::function<void()>& newPage);
    // The same on any canvas; the document is laid out for the canvas's device.
    static int renderDocument(QTextDocument& document, PageCanvas& canvas, const QSize& printablePixels, int dpiX,
                              int dpiY, const std::function<void()>& newPage);
};
