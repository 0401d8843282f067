#include "app/StartupEnvironment.h"

#include "app/LocaleTable.h"

namespace {
QString g_programPath;
QStringList g_arguments;
int g_localeId = LocaleTable::EnglishUnitedStates;
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

void StartupEnvironment::initialise(const QString& programPath, const QStringList& arguments)
{
    g_programPath = programPath;
    g_arguments = arguments;
    g_localeId = LocaleTable::processLocaleId();
}
