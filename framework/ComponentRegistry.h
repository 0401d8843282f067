#pragma once

#include <QObject>
#include <QString>
#include <QWidget>
#include <functional>
#include <type_traits>

// Component classes by name, so that layouts can create them. The framework's own classes are
// known from the start; each library registers its classes with a function of its own.
class ComponentRegistry {
public:
    // Creates a component below parent (a control needs a widget as its parent). Returns
    // nullptr for an unknown class name.
    using Factory = std::function<QObject*(QObject* parent)>;

    static void add(const QString& className, Factory factory, bool isControl);
    template <class T>
    static void add(const QString& className)
    {
        if constexpr (std::is_base_of_v<QWidget, T>)
            add(className, [](QObject* parent) -> QObject* { return new T(static_cast<QWidget*>(parent)); }, true);
        else
            add(className, [](QObject* parent) -> QObject* { return new T(parent); }, false);
    }

    static bool contains(const QString& className);
    static bool isControl(const QString& className);
    static QObject* create(const QString& className, QObject* parent);
};
