#include "richtext/PainterCanvas.h"

#include <QPainter>
#include <QTextLayout>

QPaintDevice* PainterCanvas::device() const
{
    return m_painter.device();
}

void PainterCanvas::beginSheet(const QRectF& sheet)
{
    m_painter.save();
    m_painter.translate(0, -sheet.top());
    m_painter.setClipRect(sheet);
}

void PainterCanvas::endSheet()
{
    m_painter.restore();
}

void PainterCanvas::drawLayout(const QTextBlock&, const QTextLayout& layout, const QRectF& sheet,
                               const QColor& textColor)
{
    m_painter.setPen(textColor);
    // Qt draws every line that meets the clip, edges included: the line just above the sheet and
    // the one just below would be drawn too, hidden by the clip but in the printed file's text.
    // A hair less than the sheet leaves them out (layouts are in 1/64 units).
    constexpr double Hair = 2.0 / 64;
    layout.draw(&m_painter, QPointF(), {}, sheet.adjusted(0, Hair, 0, -Hair));
}

void PainterCanvas::drawText(const QPointF& baseline, const QString& text, const QFont& font, const QColor& color)
{
    m_painter.setFont(font);
    m_painter.setPen(color);
    m_painter.drawText(baseline, text);
}

void PainterCanvas::drawLine(const QPointF& from, const QPointF& to, const QColor& color, double width)
{
    QPen pen(color);
    pen.setWidthF(width);
    m_painter.setPen(pen);
    m_painter.drawLine(from, to);
}
