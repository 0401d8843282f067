#include "app/DiskChangeCheck.h"

#include "framework/DialogService.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

void DiskChangeCheck::remember(const QString& path, const FileIdentity& file)
{
    m_path = path;
    m_file = file;
}

void DiskChangeCheck::forget()
{
    m_path.clear();
    m_file = FileIdentity();
}

bool DiskChangeCheck::mayOverwrite(const QString& path) const
{
    if (path != m_path || !m_file.exists())
        return true;
    const FileIdentity now = FileIdentity::of(path);
    if (now == m_file)
        return true;
    const int question = now.exists() ? StringId::ChangedOnDisk : StringId::RemovedFromDisk;
    return DialogService::instance().confirm(StringTable::format(question, {path})) ==
           DialogService::Answer::Yes;
}
