#include "framework/LayoutReader.h"

#include "framework/AppError.h"
#include "framework/ComponentRegistry.h"
#include "framework/LayoutParser.h"
#include "framework/PropertyWriter.h"
#include "framework/ResourceModule.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <QMetaMethod>
#include <QWidget>
#include <algorithm>

namespace {
class Reader {
public:
    Reader(QWidget& window, LayoutReader::Mode mode, const QString& sourceName)
        : m_window(window), m_mode(mode), m_sourceName(sourceName), m_writer(&window, true)
    {
    }

    void readRoot(const LayoutObject& layout)
    {
        applyProperties(&m_window, layout);
        for (const LayoutObject& child : layout.children)
            readComponent(child, &m_window);
        runAfterLoad(&m_window);
        for (QObject* component : m_completed)
            runAfterLoad(component);
        arrangeTabOrder(&m_window);
    }

private:
    [[noreturn]] void fail(int line, const QString& what) const
    {
        throw AppError(QStringLiteral("%1:%2: %3").arg(m_sourceName).arg(line).arg(what));
    }

    void applyProperties(QObject* target, const LayoutObject& node)
    {
        for (const LayoutProperty& property : node.properties) {
            try {
                m_writer.write(target, property);
            } catch (const AppError& error) {
                fail(property.line, QStringLiteral("%1 (%2): %3")
                                        .arg(node.name, QString::fromLatin1(target->metaObject()->className()),
                                             error.message()));
            }
        }
    }

    void readComponent(const LayoutObject& node, QObject* parent)
    {
        QObject* component = m_mode == LayoutReader::Mode::Create ? create(node, parent) : find(node);
        applyProperties(component, node);
        for (const LayoutObject& child : node.children)
            readComponent(child, component);
        m_completed.append(component);
    }

    QObject* create(const LayoutObject& node, QObject* parent)
    {
        if (!ComponentRegistry::contains(node.className))
            fail(node.line, QStringLiteral("unknown class '%1' of component '%2'").arg(node.className, node.name));
        if (ComponentRegistry::isControl(node.className) && !parent->isWidgetType())
            fail(node.line, QStringLiteral("control '%1' cannot be placed inside '%2'").arg(node.name, parent->objectName()));
        if (m_window.findChild<QObject*>(node.name) || node.name == m_window.objectName())
            fail(node.line, QStringLiteral("a component named '%1' exists already").arg(node.name));
        QObject* component = ComponentRegistry::create(node.className, parent);
        component->setObjectName(node.name);
        return component;
    }

    QObject* find(const LayoutObject& node)
    {
        QObject* component = m_window.findChild<QObject*>(node.name);
        if (!component)
            throw AppError(StringTable::format(StringId::AncestorNotFound, {node.name}));
        return component;
    }

    static void runAfterLoad(QObject* object)
    {
        const int index = object->metaObject()->indexOfMethod("Loaded()");
        if (index >= 0)
            object->metaObject()->method(index).invoke(object, Qt::DirectConnection);
    }

    // Controls with a TabOrder are chained in that order, parent by parent.
    static void arrangeTabOrder(QWidget* parent)
    {
        QList<QWidget*> ordered;
        for (QObject* child : parent->children()) {
            if (!child->isWidgetType())
                continue;
            auto* widget = static_cast<QWidget*>(child);
            if (widget->property("TabOrder").isValid())
                ordered.append(widget);
            arrangeTabOrder(widget);
        }
        std::stable_sort(ordered.begin(), ordered.end(), [](QWidget* a, QWidget* b) {
            return a->property("TabOrder").toInt() < b->property("TabOrder").toInt();
        });
        for (qsizetype i = 1; i < ordered.size(); ++i)
            QWidget::setTabOrder(ordered[i - 1], ordered[i]);
    }

    QWidget& m_window;
    LayoutReader::Mode m_mode;
    QString m_sourceName;
    PropertyWriter m_writer;
    QList<QObject*> m_completed;
};
} // namespace

QString LayoutReader::layoutPath(const QString& layoutName)
{
    return QStringLiteral("layouts/%1.layout").arg(layoutName);
}

std::optional<LayoutObject> LayoutReader::load(const QString& layoutName)
{
    bool found = false;
    const QByteArray data = ResourceModule::read(layoutPath(layoutName), &found);
    if (!found)
        return std::nullopt;
    return LayoutParser::parse(QString::fromUtf8(data), layoutName + QStringLiteral(".layout"));
}

void LayoutReader::read(QWidget& window, const LayoutObject& layout, Mode mode, const QString& sourceName)
{
    if (mode == Mode::Create && window.objectName().isEmpty())
        window.setObjectName(layout.name);
    Reader(window, mode, sourceName).readRoot(layout);
}

void LayoutReader::build(QWidget& window)
{
    const QString className = QString::fromLatin1(window.metaObject()->className());
    const auto layout = load(className);
    if (!layout)
        throw AppError(StringTable::format(StringId::ResourceNotFound, {className}));
    read(window, *layout, Mode::Create, className + QStringLiteral(".layout"));
}

bool LayoutReader::reread(QWidget& window, const QString& layoutName)
{
    const auto layout = load(layoutName);
    if (!layout)
        return false;
    read(window, *layout, Mode::Reread, layoutName + QStringLiteral(".layout"));
    return true;
}
