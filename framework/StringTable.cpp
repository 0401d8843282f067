#include "framework/StringTable.h"

#include "framework/AppError.h"
#include "framework/ResourceModule.h"
#include "framework/TextFormat.h"
#include "framework/TextTokenizer.h"

#include <QHash>
#include <QMutex>

namespace {
const QString TablePath = QStringLiteral("strings/strings.txt");

struct CurrentTable {
    QHash<int, QString> texts;
    QString damage; // why the table was refused; empty for a sound one
};

QMutex g_tableMutex;

// The table is parsed once per module in force; the text itself is looked up at every use.
// Call with g_tableMutex held.
const CurrentTable& currentTable()
{
    static CurrentTable table;
    static quint64 parsedGeneration = ~quint64(0);
    if (parsedGeneration != ResourceModule::generation()) {
        parsedGeneration = ResourceModule::generation();
        table.damage.clear();
        try {
            table.texts = StringTable::parse(QString::fromUtf8(ResourceModule::read(TablePath)));
        } catch (const AppError& error) {
            table.texts.clear();
            table.damage = error.message();
        }
    }
    return table;
}
} // namespace

void StringTable::check()
{
    QMutexLocker locker(&g_tableMutex);
    if (!currentTable().damage.isEmpty())
        throw AppError(currentTable().damage);
}

QString StringTable::load(int id)
{
    QMutexLocker locker(&g_tableMutex);
    return currentTable().texts.value(id);
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
