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
    // On a high-density screen the picture's double, where it has one, at the device's pixels.
    const QImage& image = m_picture.imageFor(painter.device()->devicePixelRatio());
    if (m_stretch)
        painter.drawImage(rect(), image);
    else
        painter.drawImage(QPoint(0, 0), image);
}

void TImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter);
}
