#include "CsvTable.h"

#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace {
QStringList splitFields(const QString& line, bool* ok)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields << field.trimmed();
            field.clear();
        } else {
            field += c;
        }
    }
    fields << field.trimmed();
    *ok = !quoted;
    return fields;
}
} // namespace

CsvTable CsvTable::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read " + path.toStdString());
    CsvTable table;
    table.m_path = QFileInfo(path).fileName();
    int lineNumber = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        ++lineNumber;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        bool ok = true;
        const QStringList fields = splitFields(line, &ok);
        const std::string where = table.m_path.toStdString() + ":" + std::to_string(lineNumber);
        if (!ok)
            throw std::runtime_error(where + ": unterminated quotes");
        if (table.m_columns.isEmpty()) {
            table.m_columns = fields;
            continue;
        }
        if (fields.size() != table.m_columns.size())
            throw std::runtime_error(where + ": expected " + std::to_string(table.m_columns.size()) +
                                     " fields, found " + std::to_string(fields.size()));
        table.m_rows << fields;
        table.m_lines << lineNumber;
    }
    return table;
}

QString CsvTable::value(int row, const QString& column) const
{
    const qsizetype index = m_columns.indexOf(column);
    if (index < 0)
        throw std::runtime_error(m_path.toStdString() + ": no column " + column.toStdString());
    return m_rows.at(row).at(index);
}

QString CsvTable::where(int row) const
{
    return QStringLiteral("%1:%2").arg(m_path).arg(m_lines.at(row));
}
