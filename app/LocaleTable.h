#pragma once

#include <QString>

// The locales the program knows by identifier and abbreviated language name, as language
// modules are named: de_DE is 1031 "DEU", en_US 1033 "ENU", fr_FR 1036 "FRA", ...
class LocaleTable {
public:
    static constexpr int GermanGermany = 1031;
    static constexpr int EnglishUnitedStates = 1033;
    static constexpr int FrenchFrance = 1036;
    // A locale the table does not know: it matches none of the above.
    static constexpr int CustomUnspecified = 0x1000;

    // The identifier of a POSIX locale name such as "de_DE.UTF-8"; 0 when unknown.
    static int idOf(const QString& posixName);
    // The abbreviated language name of an identifier ("DEU"); empty when unknown.
    static QString abbreviationOf(int localeId);
    // The identifier of an abbreviated language name ("deu" and "DEU" are 1031; a two-letter
    // "DE" is the language's first locale, 1031); 0 when unknown.
    static int idOfAbbreviation(const QString& abbreviation);
    // The process's locale from LC_ALL, LC_MESSAGES and LANG (the first that is set); C, POSIX
    // and no setting count as 1033, a locale the table does not know as CustomUnspecified.
    static int processLocaleId();
};
