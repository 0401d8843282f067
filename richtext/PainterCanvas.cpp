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
    layout.draw(&m_painter, QPointF(), {}, sheet);
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
