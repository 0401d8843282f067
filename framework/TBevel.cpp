#include "framework/TBevel.h"

#include "framework/Colors.h"

#include <QPainter>

TBevel::TBevel(QWidget* parent) : TGraphicControl(parent)
{
    resize(50, 50);
}

void TBevel::setShape(TBevelShape shape)
{
    m_shape = shape;
    update();
}

void TBevel::setStyle(TBevelStyle style)
{
    m_style = style;
    update();
}

void TBevel::paint(QPainter& painter) const
{
    const QColor shadow = Colors::toQColor(Colors::clBtnShadow);
    const QColor light = Colors::toQColor(Colors::clBtnHighlight);
    const QColor first = m_style == bsLowered ? shadow : light;
    const QColor second = m_style == bsLowered ? light : shadow;
    const int w = width();
    const int h = height();
    auto hLine = [&](int y, const QColor& c) { painter.fillRect(QRect(0, y, w, 1), c); };
    auto vLine = [&](int x, const QColor& c) { painter.fillRect(QRect(x, 0, 1, h), c); };
    switch (m_shape) {
    case bsBox:
        hLine(0, first), vLine(0, first), hLine(h - 1, second), vLine(w - 1, second);
        break;
    case bsFrame:
        painter.setPen(shadow);
        painter.drawRect(0, 0, w - 2, h - 2);
        painter.setPen(light);
        painter.drawRect(1, 1, w - 2, h - 2);
        break;
    case bsTopLine:
        hLine(0, first), hLine(1, second);
        break;
    case bsBottomLine:
        hLine(h - 2, first), hLine(h - 1, second);
        break;
    case bsLeftLine:
        vLine(0, first), vLine(1, second);
        break;
    case bsRightLine:
        vLine(w - 2, first), vLine(w - 1, second);
        break;
    case bsSpacer:
        break;
    }
}

void TBevel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter);
}
