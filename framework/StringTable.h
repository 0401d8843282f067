#pragma once

#include <QString>
#include <QVariant>
#include <initializer_list>

// The localisable string table of the module in force. Every use looks the text up afresh, so
// a language switch takes effect at the next use; a text the module lacks comes back empty.
class StringTable {
public:
    static QString load(int id);
    // The text of id filled with args (see formatText).
    static QString format(int id, std::initializer_list<QVariant> args);
};
