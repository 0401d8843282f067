#pragma once

#include <QString>

class QObject;

// Binds a component's event (a signal such as OnClick) to a handler of the window by the
// handler's name. An event holds at most one handler: binding again replaces the earlier one.
class EventBindings {
public:
    // Whether the component has an event of that name.
    static bool hasEvent(const QObject* component, const QString& event);
    // Throws AppError when the event or the handler does not exist or their parameters differ.
    static void bind(QObject* component, const QString& event, QObject* target, const QString& handler);
    static void unbind(QObject* component, const QString& event);
    // Name of the handler bound to the event, empty when none is.
    static QString boundHandler(const QObject* component, const QString& event);
};
