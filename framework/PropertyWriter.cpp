#include "framework/PropertyWriter.h"

#include "framework/AlignFollower.h"
#include "framework/AppError.h"
#include "framework/Colors.h"
#include "framework/CursorTable.h"
#include "framework/EventBindings.h"
#include "framework/ResourceModule.h"
#include "framework/TCollection.h"
#include "framework/TPicture.h"

#include <QMetaProperty>
#include <QWidget>
#include <limits>

namespace {
using Kind = LayoutValue::Kind;

QString describe(const LayoutValue& value)
{
    switch (value.kind) {
    case Kind::Integer: return QString::number(value.integer);
    case Kind::String: return u'"' + value.text + u'"';
    case Kind::Identifier: return value.text;
    case Kind::Set: return u'[' + value.items.join(QStringLiteral(", ")) + u']';
    case Kind::StringList: return QStringLiteral("a list of %1 texts").arg(value.items.size());
    case Kind::File: return QStringLiteral("file \"%1\"").arg(value.text);
    case Kind::Collection: return QStringLiteral("a list of %1 items").arg(value.elements.size());
    }
    return {};
}

[[noreturn]] void badValue(const QString& name, const LayoutValue& value)
{
    throw AppError(QStringLiteral("cannot assign %1 to '%2'").arg(describe(value), name));
}

qint64 integerOf(const QString& name, const LayoutValue& value)
{
    if (value.kind == Kind::Integer)
        return value.integer;
    if (value.kind == Kind::Identifier) {
        if (const auto color = Colors::fromName(value.text))
            return qint64(*color);
    }
    badValue(name, value);
}

bool boolOf(const QString& name, const LayoutValue& value)
{
    if (value.kind == Kind::Identifier && value.text == QLatin1String("true"))
        return true;
    if (value.kind == Kind::Identifier && value.text == QLatin1String("false"))
        return false;
    badValue(name, value);
}

QString stringOf(const QString& name, const LayoutValue& value)
{
    if (value.kind != Kind::String)
        badValue(name, value);
    return value.text;
}

QByteArray fileBytes(const LayoutValue& value)
{
    bool found = false;
    QByteArray bytes = ResourceModule::read(value.text, &found);
    if (!found)
        throw AppError(QStringLiteral("file \"%1\" not found in the resources").arg(value.text));
    return bytes;
}

// Whether number is one of the enumeration's values (for flags: made of its values only). Any
// other number would be set into an enum variable that cannot hold it.
bool isValueOf(const QMetaEnum& enumerator, qint64 number)
{
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return false;
    if (!enumerator.isFlag())
        return enumerator.valueToKey(int(number)) != nullptr;
    if (number == 0)
        return true;
    bool ok = false;
    return enumerator.keysToValue(enumerator.valueToKeys(int(number)), &ok) == int(number) && ok;
}

QVariant variantFor(const QMetaProperty& property, const QString& name, const LayoutValue& value)
{
    const QMetaType type = property.metaType();
    if (property.isEnumType()) {
        const QMetaEnum enumerator = property.enumerator();
        if (value.kind == Kind::Integer) {
            if (!isValueOf(enumerator, value.integer))
                throw AppError(QStringLiteral("%1 is not a value of '%2'").arg(value.integer).arg(name));
            return QVariant(int(value.integer));
        }
        QByteArray keys;
        if (value.kind == Kind::Identifier && !enumerator.isFlag())
            keys = value.text.toLatin1();
        else if (value.kind == Kind::Set && enumerator.isFlag())
            keys = value.items.join(u'|').toLatin1();
        else
            badValue(name, value);
        if (keys.isEmpty())
            return QVariant(0);
        bool ok = false;
        const int number = enumerator.isFlag() ? enumerator.keysToValue(keys, &ok) : enumerator.keyToValue(keys, &ok);
        if (!ok)
            throw AppError(QStringLiteral("'%1' is not a value of '%2'").arg(QString::fromLatin1(keys), name));
        return QVariant(number);
    }
    switch (type.id()) {
    case QMetaType::Bool:
        return boolOf(name, value);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return QVariant(integerOf(name, value));
    case QMetaType::QString:
        return stringOf(name, value);
    case QMetaType::QStringList:
        if (value.kind != Kind::StringList)
            badValue(name, value);
        return value.items;
    case QMetaType::QByteArray:
        if (value.kind != Kind::File)
            badValue(name, value);
        return fileBytes(value);
    default:
        break;
    }
    if (type == QMetaType::fromType<TPicture>()) {
        if (value.kind != Kind::File)
            badValue(name, value);
        try {
            TPicture picture = TPicture::fromFileData(fileBytes(value));
            // The copy for high-density screens, where the module has one.
            bool found = false;
            const QByteArray twice = ResourceModule::read(TPicture::doubleFileName(value.text), &found);
            if (found)
                picture.setDoubleFileData(twice);
            return QVariant::fromValue(picture);
        } catch (const AppError& error) {
            throw AppError(QStringLiteral("picture \"%1\" of '%2' is refused: %3").arg(value.text, name, error.message()));
        }
    }
    badValue(name, value);
}

QWidget* asWidget(QObject* object)
{
    return object->isWidgetType() ? static_cast<QWidget*>(object) : nullptr;
}

void updateToolTip(QWidget* widget)
{
    widget->setToolTip(widget->property("ShowHint").toBool() ? widget->property("Hint").toString() : QString());
}
} // namespace

PropertyWriter::PropertyWriter(QObject* window, bool isRoot) : m_window(window), m_isRoot(isRoot) {}

void PropertyWriter::write(QObject* target, const LayoutProperty& property)
{
    writePath(target, property.name, property.value);
}

void PropertyWriter::writePath(QObject* target, const QString& path, const LayoutValue& value)
{
    const qsizetype dot = path.indexOf(u'.');
    if (dot < 0) {
        if (!writeDeclared(target, path, value) && !writeCommon(target, path, value))
            throw AppError(QStringLiteral("unknown property '%1'").arg(path));
        return;
    }
    const QString head = path.left(dot);
    const int index = target->metaObject()->indexOfProperty(head.toLatin1().constData());
    QObject* inner = nullptr;
    if (index >= 0) {
        const QVariant held = target->metaObject()->property(index).read(target);
        if (held.metaType().flags().testFlag(QMetaType::PointerToQObject))
            inner = held.value<QObject*>();
    }
    if (!inner)
        throw AppError(QStringLiteral("unknown property '%1'").arg(head));
    writePath(inner, path.mid(dot + 1), value);
}

bool PropertyWriter::writeDeclared(QObject* target, const QString& name, const LayoutValue& value)
{
    const int index = target->metaObject()->indexOfProperty(name.toLatin1().constData());
    if (index < 0) {
        if (!name.startsWith(QLatin1String("On")) || !EventBindings::hasEvent(target, name))
            return false;
        if (value.kind != Kind::Identifier)
            badValue(name, value);
        EventBindings::bind(target, name, m_window, value.text);
        return true;
    }
    const QMetaProperty property = target->metaObject()->property(index);
    if (value.kind == Kind::Collection) {
        auto* collection = qobject_cast<TCollection*>(property.read(target).value<QObject*>());
        if (!collection)
            badValue(name, value);
        collection->clear();
        PropertyWriter itemWriter(m_window, false);
        for (const LayoutObject& element : value.elements) {
            QObject* item = collection->add();
            for (const LayoutProperty& itemProperty : element.properties)
                itemWriter.write(item, itemProperty);
        }
        return true;
    }
    if (!property.isWritable())
        throw AppError(QStringLiteral("property '%1' cannot be set").arg(name));
    if (!property.write(target, variantFor(property, name, value)))
        badValue(name, value);
    return true;
}

bool PropertyWriter::writeCommon(QObject* target, const QString& name, const LayoutValue& value)
{
    QWidget* widget = asWidget(target);
    if (name == QLatin1String("Tag")) {
        target->setProperty("Tag", int(integerOf(name, value)));
        return true;
    }
    if (!widget) {
        // Non-visual components keep their design-time place; it has no meaning at run time.
        if (name == QLatin1String("Left") || name == QLatin1String("Top")) {
            integerOf(name, value);
            return true;
        }
        return false;
    }
    if (name == QLatin1String("Left")) {
        widget->move(int(integerOf(name, value)), widget->y());
    } else if (name == QLatin1String("Top")) {
        widget->move(widget->x(), int(integerOf(name, value)));
    } else if (name == QLatin1String("Width")) {
        widget->resize(int(integerOf(name, value)), widget->height());
    } else if (name == QLatin1String("Height")) {
        widget->resize(widget->width(), int(integerOf(name, value)));
    } else if (name == QLatin1String("Visible")) {
        if (!m_isRoot || target != m_window)
            widget->setVisible(boolOf(name, value));
    } else if (name == QLatin1String("Enabled")) {
        widget->setEnabled(boolOf(name, value));
    } else if (name == QLatin1String("Hint")) {
        widget->setProperty("Hint", stringOf(name, value));
        updateToolTip(widget);
    } else if (name == QLatin1String("ShowHint")) {
        widget->setProperty("ShowHint", boolOf(name, value));
        updateToolTip(widget);
    } else if (name == QLatin1String("TabOrder")) {
        widget->setProperty("TabOrder", int(integerOf(name, value)));
    } else if (name == QLatin1String("TabStop")) {
        widget->setFocusPolicy(boolOf(name, value) ? Qt::StrongFocus : Qt::ClickFocus);
    } else if (name == QLatin1String("Cursor")) {
        const int index = int(integerOf(name, value));
        widget->setProperty("Cursor", index);
        if (index == 0)
            widget->unsetCursor();
        else
            widget->setCursor(CursorTable::cursor(index));
    } else if (name == QLatin1String("Align")) {
        if (value.kind != Kind::Identifier)
            badValue(name, value);
        const auto align = AlignFollower::fromName(value.text);
        if (!align)
            throw AppError(QStringLiteral("'%1' is not a value of 'Align'").arg(value.text));
        AlignFollower::apply(widget, *align);
    } else {
        return false;
    }
    return true;
}
