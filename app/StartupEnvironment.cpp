#include "app/StartupEnvironment.h"

#include "app/LocaleTable.h"

namespace {
QString g_programPath;
QStringList g_arguments;
int g_localeId = LocaleTable::EnglishUnitedStates;
QString g_languageOverride;
} // namespace

QString StartupEnvironment::programPath()
{
    return g_programPath;
}

void StartupEnvironment::setProgramPath(const QString& path)
{
    g_programPath = path;
}

QStringList StartupEnvironment::arguments()
{
    return g_arguments;
}

void StartupEnvironment::setArguments(const QStringList& arguments)
{
    g_arguments = arguments;
}

int StartupEnvironment::localeId()
{
    return g_localeId;
}

void StartupEnvironment::setLocaleId(int localeId)
{
    g_localeId = localeId;
}

QString StartupEnvironment::languageOverride()
{
    return g_languageOverride;
}

void StartupEnvironment::setLanguageOverride(const QString& abbreviation)
{
    g_languageOverride = abbreviation;
}

void StartupEnvironment::initialise(const QString& programPath, const QStringList& arguments,
                                    const QString& language)
{
    g_programPath = programPath;
    g_arguments = arguments;
    g_languageOverride = language;
    g_localeId = LocaleTable::processLocaleId();
    if (!language.isEmpty()) {
        const int localeId = LocaleTable::idOfAbbreviation(language);
        g_localeId = localeId != 0 ? localeId : LocaleTable::CustomUnspecified;
    }
}
