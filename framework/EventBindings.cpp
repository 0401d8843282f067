#include "framework/EventBindings.h"

#include "framework/AppError.h"

#include <QHash>
#include <QMetaMethod>
#include <QObject>

namespace {
// Kept as a child of the component, so the bindings go with it.
class BindingStore : public QObject {
public:
    struct Binding {
        QMetaObject::Connection connection;
        QString handler;
    };

    static BindingStore* of(const QObject* component, bool create)
    {
        for (QObject* child : component->children()) {
            if (auto* store = dynamic_cast<BindingStore*>(child))
                return store;
        }
        return create ? new BindingStore(const_cast<QObject*>(component)) : nullptr;
    }

    QHash<QString, Binding> bindings;

private:
    explicit BindingStore(QObject* component) : QObject(component) {}
};

QMetaMethod findSignal(const QObject* component, const QString& event)
{
    const QMetaObject* meta = component->metaObject();
    const QByteArray name = event.toLatin1();
    for (int i = meta->methodCount() - 1; i >= 0; --i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() == QMetaMethod::Signal && method.name() == name)
            return method;
    }
    return {};
}

QMetaMethod findHandler(const QObject* target, const QString& handler, const QMetaMethod& signal, bool* nameFound)
{
    const QMetaObject* meta = target->metaObject();
    const QByteArray name = handler.toLatin1();
    *nameFound = false;
    for (int i = meta->methodCount() - 1; i >= 0; --i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() == QMetaMethod::Signal || method.name() != name)
            continue;
        *nameFound = true;
        if (QMetaObject::checkConnectArgs(signal, method))
            return method;
    }
    return {};
}
} // namespace

bool EventBindings::hasEvent(const QObject* component, const QString& event)
{
    return findSignal(component, event).isValid();
}

void EventBindings::bind(QObject* component, const QString& event, QObject* target, const QString& handler)
{
    const QMetaMethod signal = findSignal(component, event);
    if (!signal.isValid())
        throw AppError(QStringLiteral("no event '%1'").arg(event));
    bool nameFound = false;
    const QMetaMethod method = findHandler(target, handler, signal, &nameFound);
    if (!method.isValid()) {
        throw AppError(nameFound ? QStringLiteral("handler '%1' does not take the parameters of %2 (%3)")
                                       .arg(handler, event, QString::fromLatin1(signal.methodSignature()))
                                 : QStringLiteral("no handler '%1' for %2").arg(handler, event));
    }
    unbind(component, event);
    BindingStore* store = BindingStore::of(component, true);
    store->bindings.insert(event, {QObject::connect(component, signal, target, method, Qt::DirectConnection), handler});
}

void EventBindings::unbind(QObject* component, const QString& event)
{
    if (BindingStore* store = BindingStore::of(component, false)) {
        const auto it = store->bindings.find(event);
        if (it != store->bindings.end()) {
            QObject::disconnect(it->connection);
            store->bindings.erase(it);
        }
    }
}

QString EventBindings::boundHandler(const QObject* component, const QString& event)
{
    const BindingStore* store = BindingStore::of(component, false);
    return store ? store->bindings.value(event).handler : QString();
}
