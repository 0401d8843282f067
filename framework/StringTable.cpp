#include "framework/StringTable.h"

#include "framework/ResourceModule.h"
#include "framework/TextFormat.h"
#include "framework/TextTokenizer.h"

#include <QHash>

namespace {
const QString TablePath = QStringLiteral("strings/strings.txt");

// The table is parsed once per module in force; the text itself is looked up at every use.
const QHash<int, QString>& currentTable()
{
    static QHash<int, QString> table;
    static quint64 parsedGeneration = ~quint64(0);
    if (parsedGeneration != ResourceModule::generation()) {
        parsedGeneration = ResourceModule::generation();
        try {
            table = StringTable::parse(QString::fromUtf8(ResourceModule::read(TablePath)));
        } catch (...) {
            table.clear(); // a damaged table reads as an empty one
        }
    }
    return table;
}
} // namespace

QString StringTable::load(int id)
{
    return currentTable().value(id);
}

QString StringTable::format(int id, std::initializer_list<QVariant> args)
{
    return formatText(load(id), args);
}

QHash<int, QString> StringTable::parse(const QString& text)
{
    QHash<int, QString> table;
    TextTokenizer tokens(text, TablePath);
    while (tokens.peek().kind != TextTokenizer::Kind::End) {
        const auto id = tokens.next();
        if (id.kind != TextTokenizer::Kind::Integer || id.integer < 0 || id.integer > 65535)
            tokens.fail(id.line, QStringLiteral("expected a string number"));
        tokens.expectSymbol(u'=');
        const auto entry = tokens.next();
        if (entry.kind != TextTokenizer::Kind::String)
            tokens.fail(entry.line, QStringLiteral("expected a quoted text"));
        table.insert(int(id.integer), entry.text.left(1023));
    }
    return table;
}
