#include "ModuleBuilder.h"

#include "LayoutWriter.h"
#include "framework/AppError.h"
#include "framework/LanguageModule.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace {
QStringList directivesOf(const QString& text)
{
    // As formatText reads them: %s, %d, %Nd, %-Nd and %%.
    static const QRegularExpression directive(QStringLiteral("%(%|-?\\d*d|s)"));
    QStringList found;
    for (auto it = directive.globalMatch(text); it.hasNext();)
        found.append(it.next().captured());
    return found;
}

QStringList patternsOf(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList patterns;
    for (qsizetype i = 1; i < parts.size(); i += 2)
        patterns.append(parts.at(i));
    return patterns;
}

struct Translation {
    QString context;
    const QHash<QString, QString>& texts;
    QDir resources;
    QString language; // "de"
};

void translateObject(LayoutObject& object, const Translation& translation)
{
    for (LayoutProperty& property : object.properties) {
        LayoutValue& value = property.value;
        if (value.kind == LayoutValue::Kind::String) {
            const auto it =
                translation.texts.constFind(translation.context + u' ' + object.name + u'.' + property.name);
            if (it != translation.texts.constEnd())
                value.text = *it;
        } else if (value.kind == LayoutValue::Kind::File) {
            const QString localized = ModuleBuilder::localizedPicture(value.text, translation.language);
            if (QFileInfo::exists(translation.resources.filePath(localized)))
                value.text = localized;
        }
    }
    for (LayoutObject& child : object.children)
        translateObject(child, translation);
}
} // namespace

QString ModuleBuilder::localizedPicture(const QString& path, const QString& language)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    const qsizetype slash = path.lastIndexOf(u'/');
    if (dot <= slash + 1)
        return path + u'.' + language;
    return path.left(dot) + u'.' + language + path.mid(dot);
}

QString ModuleBuilder::problemWith(const InterfaceText& text, const QString& translation)
{
    if (directivesOf(translation) != directivesOf(text.source))
        return QStringLiteral("it must keep the directives %1 in this order")
            .arg(directivesOf(text.source).join(u' '));
    if (text.key.endsWith(QLatin1String(".Filter")) && (translation.count(u'|') != text.source.count(u'|') ||
                                                        patternsOf(translation) != patternsOf(text.source)))
        return QStringLiteral("it must keep every '|' and the patterns %1")
            .arg(patternsOf(text.source).join(u' '));
    if (translation.size() > 1023)
        return QStringLiteral("it is longer than 1023 characters");
    return QString();
}

ModuleBuilder::Result ModuleBuilder::build(const InterfaceTexts& texts, const QString& language,
                                           const Translate& translate)
{
    Result result;
    QHash<QString, QString> translations;
    QStringList problems;
    for (const InterfaceText& text : texts.texts()) {
        const QString id = text.context + u' ' + text.key;
        const QString translation = translate(text);
        if (translation.isEmpty()) {
            result.untranslated.append(id);
            continue;
        }
        const QString problem = problemWith(text, translation);
        if (!problem.isEmpty())
            problems.append(QStringLiteral("%1 \"%2\": %3").arg(id, translation, problem));
        translations.insert(id, translation);
    }
    if (!problems.isEmpty())
        throw AppError(QStringLiteral("translations that cannot be used:\n  ") +
                       problems.join(QStringLiteral("\n  ")));

    QMap<QString, QByteArray> entries;
    entries.insert(LanguageModule::LanguageEntry, language.toUtf8());
    for (auto it = texts.layouts().cbegin(); it != texts.layouts().cend(); ++it) {
        LayoutObject layout = it.value();
        translateObject(
            layout, {it.key(), translations, QDir(texts.resourcesFolder()), language.section(u'_', 0, 0)});
        entries.insert(LanguageModule::layoutEntry(it.key()), LayoutWriter::write(layout).toUtf8());
    }
    QString table;
    for (auto it = texts.strings().cbegin(); it != texts.strings().cend(); ++it) {
        const QString id = QString::number(it.key());
        const QString text = translations.value(InterfaceTexts::StringTableContext + u' ' + id, it.value());
        table += id + QStringLiteral(" = ") + LayoutWriter::quoted(text) + u'\n';
    }
    entries.insert(LanguageModule::StringsEntry, table.toUtf8());
    result.module = LanguageModule::containerOf(entries);
    // The module must read back as the program will read it.
    LanguageModule::fromData(result.module);
    return result;
}
