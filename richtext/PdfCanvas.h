#pragma once

#include "richtext/PageCanvas.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QTransform>

class PdfFile;
class PdfFonts;
class QGlyphRun;
class QStringView;

// Builds the content of one PDF page at a time from laid-out paragraphs: each run of glyphs
// becomes one string of glyph numbers in its font, placed once, with a correction only where a
// glyph is not at the end of the one before; underlines and struck-out text are lines.
// pageTransform maps the device's pixels, from the printable area's top left, to the page's
// points. Throws PdfFonts::Unsupported for text in a face that cannot be embedded.
class PdfCanvas : public PageCanvas {
public:
    PdfCanvas(PdfFile& file, PdfFonts& fonts, QPaintDevice* device, const QTransform& pageTransform);

    QPaintDevice* device() const override { return m_device; }
    void beginSheet(const QRectF& sheet) override;
    void endSheet() override;
    void drawLayout(const QTextBlock& block, const QTextLayout& layout, const QRectF& sheet,
                    const QColor& textColor) override;
    void drawText(const QPointF& baseline, const QString& text, const QFont& font, const QColor& color) override;
    void drawLine(const QPointF& from, const QPointF& to, const QColor& color, double width) override;

    // The page's content so far, and the fonts it names (object numbers); both are emptied.
    QByteArray takeContent();
    QList<int> takeFonts();

private:
    struct Line {
        QPointF from;
        QPointF to;
        QColor color;
        double width;
        int cap; // PDF's line cap: 0 flat, 2 square
    };

    void drawRun(const QGlyphRun& run, const QPointF& offset, QStringView text, const QColor& color, bool paired);
    void decorate(const QGlyphRun& run, const QPointF& offset, const QColor& color);
    void moveTo(const QPointF& at);
    void beginText();
    void endText();
    void setFillColor(const QColor& color);
    void number(double value);

    PdfFile& m_file;
    PdfFonts& m_fonts;
    QPaintDevice* m_device;
    QTransform m_pageTransform;
    QByteArray m_content;
    QList<int> m_pageFonts;
    QList<Line> m_lines; // drawn once the text object they belong to has ended
    double m_sheetTop = 0;
    bool m_inText = false;
    bool m_hasOrigin = false; // whether the text object has placed a line yet
    QPointF m_lineOrigin;
    int m_font = 0;
    double m_size = -1;
    QColor m_fill;
};
