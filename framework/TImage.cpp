#include "framework/TImage.h"

#include <QPainter>

TImage::TImage(QWidget* parent) : TGraphicControl(parent)
{
    resize(105, 105);
}

void TImage::setPicture(const TPicture& picture)
{
    m_picture = picture;
    update();
}

void TImage::setStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

void TImage::setTransparent(bool transparent)
{
    m_transparent = transparent;
    update();
}

void TImage::paint(QPainter& painter) const
{
    if (m_picture.isEmpty())
        return;
    if (m_stretch)
        painter.drawImage(rect(), m_picture.image());
    else
        painter.drawImage(QPoint(0, 0), m_picture.image());
}

void TImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter);
}
