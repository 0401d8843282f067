#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace {
std::unique_ptr<QTranslator> g_translator;
QString g_current;
} // namespace

void QtTranslations::follow(const QString& localeName)
{
    if (localeName == g_current)
        return;
    if (g_translator) {
        QCoreApplication::removeTranslator(g_translator.get());
        g_translator.reset();
    }
    g_current.clear();
    if (localeName.isEmpty() || !QCoreApplication::instance())
        return;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(localeName), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    g_translator = std::move(translator);
    g_current = localeName;
}

QString QtTranslations::current()
{
    return g_current;
}
