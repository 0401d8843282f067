#pragma once

#include <QString>
#include <QVariant>
#include <initializer_list>

// Fills a message pattern as the string table's texts expect: %s (text), %d (integer),
// %Nd (integer right-aligned in N columns), %-Nd (left-aligned) and %% (a percent sign).
// A directive without a matching argument is left as it stands.
QString formatText(const QString& pattern, std::initializer_list<QVariant> args);
