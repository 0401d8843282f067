#pragma once

class QColor;
class QFont;
class QPaintDevice;
class QPointF;
class QRectF;
class QString;
class QTextBlock;
class QTextLayout;

// Where the page renderer draws a page: a printer's painter, or the page content of a PDF being
// written. Coordinates are the document's, in the device's pixels; between beginSheet and
// endSheet only the sheet's part of the document shows, at the top of the page.
class PageCanvas {
public:
    virtual ~PageCanvas() = default;

    // The device text is laid out for.
    virtual QPaintDevice* device() const = 0;
    virtual void beginSheet(const QRectF& sheet) = 0;
    virtual void endSheet() = 0;
    // The lines of block's layout (at the layout's position) that meet the sheet; text without a
    // colour of its own in textColor.
    virtual void drawLayout(const QTextBlock& block, const QTextLayout& layout, const QRectF& sheet,
                            const QColor& textColor) = 0;
    // Text on one line, starting at baseline.
    virtual void drawText(const QPointF& baseline, const QString& text, const QFont& font, const QColor& color) = 0;
    virtual void drawLine(const QPointF& from, const QPointF& to, const QColor& color, double width) = 0;
};
