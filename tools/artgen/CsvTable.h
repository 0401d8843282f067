#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A small comma-separated table: the first line names the columns, lines starting with '#'
// and blank lines are skipped, fields may be quoted ("Washington, D.C."). Errors name the file
// and line.
class CsvTable {
public:
    static CsvTable read(const QString& path);

    int rowCount() const { return int(m_rows.size()); }
    QString value(int row, const QString& column) const;
    // Where a row came from, for messages: "cities.csv:12".
    QString where(int row) const;

private:
    QString m_path;
    QStringList m_columns;
    QList<QStringList> m_rows;
    QList<int> m_lines;
};
