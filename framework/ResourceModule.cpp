#include "framework/ResourceModule.h"

#include "framework/LanguageModule.h"

#include <QFile>
#include <QFileInfo>

namespace {
QString g_currentRoot;
std::shared_ptr<const LanguageModule> g_languageModule;
quint64 g_generation = 0;

QString joined(const QString& root, const QString& relativePath)
{
    return root + u'/' + relativePath;
}
} // namespace

QString ResourceModule::programRoot()
{
    return QStringLiteral(":/lumaro");
}

QString ResourceModule::currentRoot()
{
    return g_currentRoot.isEmpty() ? programRoot() : g_currentRoot;
}

void ResourceModule::setCurrentRoot(const QString& root)
{
    // One module is in force: a tree put in force replaces a language module.
    g_currentRoot = root;
    g_languageModule.reset();
    ++g_generation;
}

std::shared_ptr<const LanguageModule> ResourceModule::languageModule()
{
    return g_languageModule;
}

void ResourceModule::setLanguageModule(std::shared_ptr<const LanguageModule> module)
{
    g_languageModule = std::move(module);
    ++g_generation;
}

quint64 ResourceModule::generation()
{
    return g_generation;
}

QByteArray ResourceModule::read(const QString& relativePath, bool* found)
{
    if (g_languageModule && LanguageModule::carries(relativePath))
        return g_languageModule->entry(relativePath, found);
    QFile file(joined(currentRoot(), relativePath));
    const bool ok = file.open(QIODevice::ReadOnly);
    if (found)
        *found = ok;
    return ok ? file.readAll() : QByteArray();
}

bool ResourceModule::contains(const QString& relativePath)
{
    bool found = false;
    if (g_languageModule && LanguageModule::carries(relativePath))
        g_languageModule->entry(relativePath, &found);
    else
        found = QFileInfo::exists(joined(currentRoot(), relativePath));
    return found;
}
