#include "Lettering.h"

#include "CsvTable.h"

Lettering Lettering::english()
{
    return {QStringLiteral("en"),
            QStringLiteral("B"),
            QStringLiteral("U"),
            QStringLiteral("I"),
            QStringLiteral("Version 1.0 \u2022 rich text for every day"),
            QStringLiteral("On the web:")};
}

QList<Lettering> Lettering::translations(const QString& dataDir)
{
    const CsvTable table = CsvTable::read(dataDir + QStringLiteral("/lettering.csv"));
    QList<Lettering> languages;
    for (int row = 0; row < table.rowCount(); ++row) {
        languages.append(
            {table.value(row, QStringLiteral("language")), table.value(row, QStringLiteral("bold")),
             table.value(row, QStringLiteral("underline")), table.value(row, QStringLiteral("italic")),
             table.value(row, QStringLiteral("tagline")), table.value(row, QStringLiteral("web"))});
    }
    return languages;
}

QString Lettering::pictureName(const QString& path) const
{
    if (language == english().language)
        return path;
    const qsizetype dot = path.lastIndexOf(u'.');
    return path.left(dot) + u'.' + language + path.mid(dot);
}
