#include "app/TabStopMarks.h"

#include <QPainter>

TabStopMarks::TabStopMarks(QWidget* ruler, int zeroPixel) : QWidget(ruler), m_zeroPixel(zeroPixel)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(ruler->rect());
    lower(); // under the markers
}

void TabStopMarks::setStops(const TabStops& stops)
{
    if (stops == m_stops)
        return;
    m_stops = stops;
    update();
}

int TabStopMarks::pixelOf(const TabStop& stop) const
{
    // 20 twips a point, 4/3 pixels a point: 15 twips a pixel, truncated as the ruler truncates.
    return m_zeroPixel + stop.positionTwips / 15;
}

void TabStopMarks::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1)); // as the ruler's markers
    const int bottom = height() - 3;
    const int top = bottom - 5;
    for (const TabStop& stop : m_stops) {
        const int x = pixelOf(stop);
        switch (stop.alignment) {
        case TabStop::Alignment::Left:
            painter.drawLine(x, top, x, bottom);
            painter.drawLine(x, bottom, x + 4, bottom);
            break;
        case TabStop::Alignment::Right:
            painter.drawLine(x, top, x, bottom);
            painter.drawLine(x - 4, bottom, x, bottom);
            break;
        case TabStop::Alignment::Center:
        case TabStop::Alignment::Decimal:
            painter.drawLine(x, top, x, bottom);
            painter.drawLine(x - 3, bottom, x + 3, bottom);
            if (stop.alignment == TabStop::Alignment::Decimal)
                painter.drawPoint(x + 2, top + 2);
            break;
        }
    }
}
