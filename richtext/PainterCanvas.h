#pragma once

#include "richtext/PageCanvas.h"

class QPainter;

// Draws pages with a painter: on a printer, or on the screen for the editor's decorations.
class PainterCanvas : public PageCanvas {
public:
    explicit PainterCanvas(QPainter& painter) : m_painter(painter) {}

    QPaintDevice* device() const override;
    void beginSheet(const QRectF& sheet) override;
    void endSheet() override;
    void drawLayout(const QTextBlock& block, const QTextLayout& layout, const QRectF& sheet,
                    const QColor& textColor) override;
    void drawText(const QPointF& baseline, const QString& text, const QFont& font, const QColor& color) override;
    void drawLine(const QPointF& from, const QPointF& to, const QColor& color, double width) override;

private:
    QPainter& m_painter;
};
