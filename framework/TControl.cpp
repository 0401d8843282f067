#include "framework/TControl.h"

#include "framework/MessageDispatch.h"

#include <QMouseEvent>

namespace {
QPoint position(const QMouseEvent* event)
{
    return event->position().toPoint();
}
} // namespace

TControl::TControl(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void TControl::Click()
{
    Q_EMIT OnClick(this);
}

void TControl::DblClick()
{
    Q_EMIT OnDblClick(this);
}

void TControl::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    Q_EMIT OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(Qt::KeyboardModifiers shift, int x, int y)
{
    Q_EMIT OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    Q_EMIT OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseEnter()
{
    Q_EMIT OnMouseEnter(this);
}

void TControl::MouseLeave()
{
    Q_EMIT OnMouseLeave(this);
}

void TControl::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = position(event);
    if (event->button() == Qt::LeftButton) {
        m_leftHeld = true;
        m_clickPending = true;
    }
    MessageDispatch::run([&] { MouseDown(event->button(), event->modifiers(), p.x(), p.y()); });
}

void TControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = position(event);
    if (event->button() == Qt::LeftButton) {
        m_leftHeld = true;
        m_clickPending = false;
        MessageDispatch::run([&] { DblClick(); });
    }
    MessageDispatch::run([&] { MouseDown(event->button(), event->modifiers(), p.x(), p.y()); });
}

void TControl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = position(event);
    MessageDispatch::run([&] { MouseMove(event->modifiers(), p.x(), p.y()); });
    // A held button keeps the mouse with this control and Qt reports no crossings until the
    // release, so the control follows the pointer itself.
    if (event->buttons() != Qt::NoButton)
        setPointerInside(rect().contains(p));
}

void TControl::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = position(event);
    const bool left = event->button() == Qt::LeftButton;
    const bool clicks = left && m_clickPending && rect().contains(p);
    if (left) {
        m_leftHeld = false;
        m_clickPending = false;
    }
    if (clicks)
        MessageDispatch::run([&] { Click(); });
    MessageDispatch::run([&] { MouseUp(event->button(), event->modifiers(), p.x(), p.y()); });
}

void TControl::enterEvent(QEnterEvent*)
{
    setPointerInside(true);
}

void TControl::leaveEvent(QEvent*)
{
    setPointerInside(false);
}

void TControl::setPointerInside(bool inside)
{
    if (inside == m_pointerInside)
        return;
    m_pointerInside = inside;
    MessageDispatch::run([&] {
        if (inside)
            MouseEnter();
        else
            MouseLeave();
    });
}
