#include "controls/TLumaroLButton.h"

#include "controls/KeyedDrawing.h"

#include "framework/MessageDispatch.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>

using namespace KeyedDrawing;

TLumaroLButton::TLumaroLButton(QWidget* parent) : TGraphicControl(parent)
{
    // Every pixel is painted by paint(), so the parent need not paint beneath the button.
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    resize(50, 50);
}

void TLumaroLButton::setStretch(bool stretch)
{
    if (stretch == m_stretch)
        return;
    m_stretch = stretch;
    update();
}

void TLumaroLButton::setUpImage(const TPicture& picture)
{
    m_upImage = picture;
    FillMissingPictures();
    update();
}

void TLumaroLButton::setTransparentColor(Colors::TColor color)
{
    if (color == m_transparentColor)
        return;
    m_transparentColor = color;
    update();
}

void TLumaroLButton::setDownImage(const TPicture& picture)
{
    m_downImage = picture;
    update();
}

void TLumaroLButton::setMouseOverImage(const TPicture& picture)
{
    m_mouseOverImage = picture;
}

void TLumaroLButton::setDisabledImage(const TPicture& picture)
{
    m_disabledImage = picture;
}

void TLumaroLButton::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

void TLumaroLButton::FillMissingPictures()
{
    if (m_upImage.width() <= 0)
        return;
    for (TPicture* picture : {&m_downImage, &m_mouseOverImage, &m_disabledImage}) {
        if (picture->width() < 1)
            *picture = m_upImage;
    }
}

bool TLumaroLButton::ownEnabled() const
{
    return !testAttribute(Qt::WA_ForceDisabled);
}

const TPicture& TLumaroLButton::shownPicture() const
{
    if (!ownEnabled())
        return m_disabledImage;
    if (m_pressed)
        return m_downImage;
    if (m_mouseInside || hasFocus())
        return m_mouseOverImage;
    return m_upImage;
}

QColor TLumaroLButton::parentBackground() const
{
    const QWidget* owner = parentWidget() ? parentWidget() : this;
    return owner->palette().color(owner->backgroundRole());
}

void TLumaroLButton::paint(QPainter& painter)
{
    if (m_downImage.width() < 1 || m_mouseOverImage.width() < 1)
        FillMissingPictures();
    if (width() <= 0 || height() <= 0)
        return;

    const TPicture& shown = shownPicture();
    // On a high-density screen a picture with a double is drawn from it, in the device's own
    // pixels: the same steps with every length doubled.
    const int scale = painter.device()->devicePixelRatio() >= 1.5 && shown.hasDouble() ? 2 : 1;
    const QImage& picture = shown.imageFor(scale);
    const int w = width() * scale;
    const int h = height() * scale;

    QImage buffer(w, h, QImage::Format_RGB32);
    buffer.fill(m_transparent ? Colors::toQColor(m_transparentColor) : parentBackground());
    if (m_upImage.width() < 2) {
        buffer.fill(Colors::toQColor(Colors::clBtnFace));
    } else {
        // The disabled picture always shows at its natural size.
        const bool scaled = m_stretch && &shown != &m_disabledImage;
        QPainter offscreen(&buffer);
        if (!m_transparent) {
            if (scaled)
                DrawKeyedPart(offscreen, picture, Colors::clNone, 0, 0, w, h);
            else
                DrawKeyed(offscreen, 0, 0, picture, Colors::clNone);
        } else {
            // The button's own rectangle as the source keeps the picture at its natural size.
            if (scaled)
                DrawKeyedRect(offscreen, 0, 0, w, h, QRect(0, 0, w, h), picture, m_transparentColor);
            else
                DrawKeyed(offscreen, 0, 0, picture, m_transparentColor);
        }
    }

    QImage shownBuffer = m_transparent
                             ? scaledNearest(buffer, buffer.rect(), buffer.size(),
                                             Colors::toQColor(m_transparentColor).rgb())
                             : buffer;
    shownBuffer.setDevicePixelRatio(scale);
    painter.drawImage(QPoint(0, 0), shownBuffer);
    if (hasFocus())
        paintFocusMark(painter);
}

void TLumaroLButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter);
}

void TLumaroLButton::setPressed(bool pressed)
{
    if (pressed == m_pressed)
        return;
    m_pressed = pressed;
    repaint();
}

void TLumaroLButton::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (button != Qt::LeftButton || !ownEnabled())
        return;
    setPressed(true);
    Q_EMIT OnMouseDown(this, button, shift, x, y);
}

void TLumaroLButton::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (button != Qt::LeftButton)
        return;
    // A click handler may have disabled the button; it must not stay pressed for when it is
    // enabled again.
    setPressed(false);
    if (ownEnabled())
        Q_EMIT OnMouseUp(this, button, shift, x, y);
}

void TLumaroLButton::redrawForHover()
{
    if (m_transparent)
        update();
    else
        repaint();
}

void TLumaroLButton::MouseEnter()
{
    m_mouseInside = true;
    redrawForHover();
    TGraphicControl::MouseEnter();
}

void TLumaroLButton::MouseLeave()
{
    m_mouseInside = false;
    redrawForHover();
    TGraphicControl::MouseLeave();
}

void TLumaroLButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        // A button disabled while held gets no release; it comes back up.
        if (!ownEnabled())
            m_pressed = false;
        update();
    }
    TGraphicControl::changeEvent(event);
}

void TLumaroLButton::paintFocusMark(QPainter& painter) const
{
    if (width() < 8 || height() < 8)
        return;
    painter.save();
    QPen dots(Colors::toQColor(Colors::clBlack), 0, Qt::DotLine);
    dots.setCosmetic(true);
    painter.setPen(dots);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(2.5, 2.5, -3.5, -3.5));
    painter.restore();
}

void TLumaroLButton::keyPressEvent(QKeyEvent* event)
{
    const bool activates = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (!activates || !ownEnabled()) {
        TGraphicControl::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            setPressed(true);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        MessageDispatch::run([&] { Press(); });
        break;
    default:
        TGraphicControl::keyPressEvent(event);
    }
}

void TLumaroLButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || !m_pressed) {
        TGraphicControl::keyReleaseEvent(event);
        return;
    }
    setPressed(false);
    if (ownEnabled())
        MessageDispatch::run([&] { Press(); });
}

void TLumaroLButton::focusInEvent(QFocusEvent* event)
{
    TGraphicControl::focusInEvent(event);
    update();
}

void TLumaroLButton::focusOutEvent(QFocusEvent* event)
{
    // A press of Space is given up with the focus.
    m_pressed = false;
    TGraphicControl::focusOutEvent(event);
    update();
}
