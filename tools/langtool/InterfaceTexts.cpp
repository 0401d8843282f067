#include "InterfaceTexts.h"

#include "framework/AppError.h"
#include "framework/LayoutParser.h"
#include "framework/StringTable.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

const QString InterfaceTexts::StringTableContext = QStringLiteral("StringTable");

namespace {
QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return QString::fromUtf8(file.readAll());
}

int integerProperty(const LayoutObject& object, const char* name)
{
    for (const LayoutProperty& property : object.properties) {
        if (property.name == QLatin1String(name) && property.value.kind == LayoutValue::Kind::Integer)
            return int(property.value.integer);
    }
    return 0;
}

// What the translator needs to know about a text of a layout.
QString noteFor(const LayoutObject& object, const QString& property, bool isWindow)
{
    const int width = integerProperty(object, isWindow ? "ClientWidth" : "Width");
    const int height = integerProperty(object, isWindow ? "ClientHeight" : "Height");
    const QString where = width > 0 && height > 0
                              ? QStringLiteral("%1 %2, %3 x %4 pixels")
                                    .arg(object.className, object.name)
                                    .arg(width)
                                    .arg(height)
                              : QStringLiteral("%1 %2").arg(object.className, object.name);
    if (property == QLatin1String("Hint"))
        return where + QStringLiteral(": its tooltip.");
    if (property == QLatin1String("Filter"))
        return where +
               QStringLiteral(": the file types offered, as pairs 'description|pattern|description|pattern'. "
                              "Translate the descriptions only; keep every '|' and every pattern.");
    if (property == QLatin1String("FileName"))
        return where + QStringLiteral(": the file name the save dialog proposes.");
    if (isWindow)
        return where + QStringLiteral(": the window's title.");
    if (object.className == QLatin1String("TAction"))
        return where + QStringLiteral(": a command's name; '&' marks the letter of its keyboard access.");
    if (width > 0)
        return where +
               QStringLiteral(": the text must fit in this width; prefer a shorter wording to a cut one.");
    return where + u'.';
}

QString noteForString(int id, const QString& text)
{
    static const QRegularExpression directive(QStringLiteral("%-?\\d*[sd]"));
    QString note = QStringLiteral("String %1 of the program's messages.").arg(id);
    if (directive.match(text).hasMatch())
        note += QStringLiteral(
            " Keep every %s (a name) and %d (a number, %3d: in three columns) in the same order.");
    if (text.contains(u'&'))
        note += QStringLiteral(" '&' marks the letter of the button's keyboard access.");
    return note;
}
} // namespace

bool InterfaceTexts::isTextProperty(const QString& propertyName)
{
    return propertyName == QLatin1String("Caption") || propertyName == QLatin1String("Hint") ||
           propertyName == QLatin1String("Filter") || propertyName == QLatin1String("FileName");
}

InterfaceTexts InterfaceTexts::read(const QString& resourcesFolder, const QString& untranslatedList)
{
    InterfaceTexts result;
    result.m_resourcesFolder = resourcesFolder;
    static const QRegularExpression blank(QStringLiteral("\\s+"));
    for (QString line : readText(untranslatedList).split(u'\n')) {
        line = line.section(u'#', 0, 0).trimmed();
        if (!line.isEmpty())
            result.m_untranslated.insert(line.split(blank).join(u' '));
    }

    const QDir layouts(QDir(resourcesFolder).filePath(QStringLiteral("layouts")));
    for (const QString& fileName : layouts.entryList({QStringLiteral("*.layout")}, QDir::Files, QDir::Name)) {
        const QString windowClass = fileName.chopped(QStringLiteral(".layout").size());
        result.m_layouts.insert(windowClass,
                                LayoutParser::parse(readText(layouts.filePath(fileName)), fileName));
    }
    for (auto it = result.m_layouts.cbegin(); it != result.m_layouts.cend(); ++it)
        result.collect(it.key(), it.value(), true);

    const QHash<int, QString> table =
        StringTable::parse(readText(QDir(resourcesFolder).filePath(QStringLiteral("strings/strings.txt"))));
    for (auto it = table.cbegin(); it != table.cend(); ++it)
        result.m_strings.insert(it.key(), it.value());
    for (auto it = result.m_strings.cbegin(); it != result.m_strings.cend(); ++it)
        result.m_texts.append(
            {StringTableContext, QString::number(it.key()), it.value(), noteForString(it.key(), it.value())});
    return result;
}

void InterfaceTexts::collect(const QString& context, const LayoutObject& object, bool isWindow)
{
    for (const LayoutProperty& property : object.properties) {
        if (!isTextProperty(property.name) || property.value.kind != LayoutValue::Kind::String ||
            property.value.text.isEmpty())
            continue;
        const QString key = object.name + u'.' + property.name;
        if (m_untranslated.contains(context + u' ' + key))
            continue;
        m_texts.append({context, key, property.value.text, noteFor(object, property.name, isWindow)});
    }
    for (const LayoutObject& child : object.children)
        collect(context, child, false);
}
