#include "app/KeyHold.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

KeyHold::KeyHold(QWidget* control, Interceptor interceptor)
    : QObject(control), m_control(control), m_interceptor(std::move(interceptor))
{
    control->installEventFilter(this);
}

KeyHold::~KeyHold() = default;

void KeyHold::hold()
{
    m_holding = true;
}

void KeyHold::release()
{
    m_holding = false;
    std::vector<std::unique_ptr<QEvent>> held;
    held.swap(m_held);
    QPointer<QWidget> control = m_control;
    for (const std::unique_ptr<QEvent>& event : held) {
        // A key delivered may start another hold (a shortcut that opens a document): the rest
        // waits again.
        if (!control)
            return;
        if (m_holding) {
            m_held.push_back(std::unique_ptr<QEvent>(event->clone()));
            continue;
        }
        QCoreApplication::sendEvent(control, event.get());
    }
}

bool KeyHold::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_holding || watched != m_control)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (m_interceptor && m_interceptor(*static_cast<QKeyEvent*>(event)))
            return true;
        [[fallthrough]];
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
        m_held.push_back(std::unique_ptr<QEvent>(event->clone()));
        return true;
    default:
        return false;
    }
}
