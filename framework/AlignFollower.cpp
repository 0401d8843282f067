#include "framework/AlignFollower.h"

#include <QEvent>
#include <QWidget>

std::optional<AlignFollower::Align> AlignFollower::fromName(const QString& name)
{
    if (name == QLatin1String("alNone"))
        return Align::None;
    if (name == QLatin1String("alTop"))
        return Align::Top;
    if (name == QLatin1String("alBottom"))
        return Align::Bottom;
    if (name == QLatin1String("alLeft"))
        return Align::Left;
    if (name == QLatin1String("alRight"))
        return Align::Right;
    if (name == QLatin1String("alClient"))
        return Align::Client;
    return std::nullopt;
}

void AlignFollower::apply(QWidget* widget, Align align)
{
    for (QObject* child : widget->children()) {
        if (auto* follower = qobject_cast<AlignFollower*>(child))
            delete follower;
    }
    if (align == Align::None || !widget->parentWidget())
        return;
    auto* follower = new AlignFollower(widget, align);
    widget->parentWidget()->installEventFilter(follower);
    follower->place();
}

AlignFollower::AlignFollower(QWidget* widget, Align align) : QObject(widget), m_widget(widget), m_align(align) {}

bool AlignFollower::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_widget->parentWidget() && event->type() == QEvent::Resize)
        place();
    return false;
}

void AlignFollower::place()
{
    const QRect area = m_widget->parentWidget()->contentsRect();
    QRect r = m_widget->geometry();
    switch (m_align) {
    case Align::Top: r = QRect(area.left(), area.top(), area.width(), r.height()); break;
    case Align::Bottom: r = QRect(area.left(), area.bottom() + 1 - r.height(), area.width(), r.height()); break;
    case Align::Left: r = QRect(area.left(), area.top(), r.width(), area.height()); break;
    case Align::Right: r = QRect(area.right() + 1 - r.width(), area.top(), r.width(), area.height()); break;
    case Align::Client: r = area; break;
    case Align::None: return;
    }
    m_widget->setGeometry(r);
}
