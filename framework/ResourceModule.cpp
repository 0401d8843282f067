#include "framework/ResourceModule.h"

#include <QFile>
#include <QFileInfo>

namespace {
QString g_currentRoot;
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
    g_currentRoot = root;
    ++g_generation;
}

quint64 ResourceModule::generation()
{
    return g_generation;
}

QByteArray ResourceModule::read(const QString& relativePath, bool* found)
{
    QFile file(joined(currentRoot(), relativePath));
    const bool ok = file.open(QIODevice::ReadOnly);
    if (found)
        *found = ok;
    return ok ? file.readAll() : QByteArray();
}

bool ResourceModule::contains(const QString& relativePath)
{
    return QFileInfo::exists(joined(currentRoot(), relativePath));
}
