#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <initializer_list>

// The localisable string table of the module in force. Every use looks the text up afresh, so
// a language switch takes effect at the next use; a text the module lacks comes back empty, and
// so does every text of a damaged table, which check() refuses. Usable from any thread.
class StringTable {
public:
    // Throws AppError naming the table and the line when the module's table is damaged.
    static void check();
    static QString load(int id);
    // The text of id filled with args (see formatText).
    static QString format(int id, std::initializer_list<QVariant> args);

    // Reads a table's text ("number = \"text\"" per entry); throws AppError naming the line of
    // a damaged one. Texts are cut to 1023 characters.
    static QHash<int, QString> parse(const QString& text);
};
