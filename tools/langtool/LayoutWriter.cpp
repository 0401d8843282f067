#include "LayoutWriter.h"

namespace {
using Kind = LayoutValue::Kind;

QString valueText(const LayoutValue& value, int depth);

QString propertiesText(const QList<LayoutProperty>& properties, int depth, const QString& separator)
{
    QString text;
    for (const LayoutProperty& property : properties)
        text += separator + property.name + QStringLiteral(" = ") + valueText(property.value, depth);
    return text;
}

QString valueText(const LayoutValue& value, int depth)
{
    switch (value.kind) {
    case Kind::Integer:
        return QString::number(value.integer);
    case Kind::String:
        return LayoutWriter::quoted(value.text);
    case Kind::Identifier:
        return value.text;
    case Kind::File:
        return QStringLiteral("file ") + LayoutWriter::quoted(value.text);
    case Kind::Set:
        return u'[' + value.items.join(QStringLiteral(", ")) + u']';
    case Kind::StringList: {
        QStringList items;
        for (const QString& item : value.items)
            items.append(LayoutWriter::quoted(item));
        return u'(' + items.join(QStringLiteral(", ")) + u')';
    }
    case Kind::Collection: {
        const QString indent(2 * (depth + 1), u' ');
        QString text = QStringLiteral("(");
        for (const LayoutObject& item : value.elements)
            text += u'\n' + indent + QStringLiteral("item") +
                    propertiesText(item.properties, depth + 1, QStringLiteral(" ")) + QStringLiteral(" end");
        return text + u'\n' + QString(2 * depth, u' ') + u')';
    }
    }
    return QString();
}

void writeObject(const LayoutObject& object, int depth, QString& out)
{
    const QString indent(2 * depth, u' ');
    out += indent + QStringLiteral("object %1 : %2\n").arg(object.name, object.className);
    const QString inner(2 * (depth + 1), u' ');
    for (const LayoutProperty& property : object.properties)
        out += inner + property.name + QStringLiteral(" = ") + valueText(property.value, depth + 1) + u'\n';
    for (const LayoutObject& child : object.children)
        writeObject(child, depth + 1, out);
    out += indent + QStringLiteral("end\n");
}
} // namespace

QString LayoutWriter::write(const LayoutObject& root)
{
    QString out;
    writeObject(root, 0, out);
    return out;
}

QString LayoutWriter::quoted(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out += QStringLiteral("\\\"");
            break;
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        case u'\t':
            out += QStringLiteral("\\t");
            break;
        case u'\r':
            out += QStringLiteral("\\r");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + u'"';
}
