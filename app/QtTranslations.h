#pragma once

#include <QString>

// Qt's own texts (the file, print and font dialogs, the standard buttons Qt draws) in the
// interface's language, from the translations Qt ships (qtbase_de.qm, ...) when they are
// installed; English otherwise.
class QtTranslations {
public:
    // Replaces the translation in force by that of the locale name ("de_DE"); an empty name or
    // one Qt has no translation for leaves Qt's texts in English.
    static void follow(const QString& localeName);
    // The locale name whose translation is in force; empty for English.
    static QString current();
};
