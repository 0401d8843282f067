#include "TestFiles.h"

#include "framework/AppError.h"

QStringList TestFiles::entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

QString TestFiles::failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AppError& error) {
        return error.message();
    }
    return QStringLiteral("no failure");
}
