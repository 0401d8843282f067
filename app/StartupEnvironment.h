#pragma once

#include <QString>
#include <QStringList>

// What the process was started with: the program file, its arguments and the user's locale.
// Start-up reads them from here, so tests can set them.
class StartupEnvironment {
public:
    // The program file's full path.
    static QString programPath();
    static void setProgramPath(const QString& path);
    // The arguments after the program name.
    static QStringList arguments();
    static void setArguments(const QStringList& arguments);
    // The user's locale identifier (1033 for English, United States; 1031 German; 1036 French).
    static int localeId();
    static void setLocaleId(int localeId);

    // The module extension to try first for this run only (--language), before the per-user
    // setting; empty when none was given.
    static QString languageOverride();
    static void setLanguageOverride(const QString& abbreviation);

    // Takes the values from the running process and its environment. A language asked for on
    // the command line (a module's extension, "" for none) is the override for this run, and
    // the run's locale becomes the one with that abbreviation, so the whole run is in it.
    static void initialise(const QString& programPath, const QStringList& arguments,
                           const QString& language = QString());
};
