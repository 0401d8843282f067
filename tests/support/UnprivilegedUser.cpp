#include "UnprivilegedUser.h"

#include <QByteArray>
#include <QtGlobal>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

UnprivilegedUser::UnprivilegedUser()
{
    if (!isRoot())
        return;
    const int count = ::getgroups(0, nullptr);
    m_groups.resize(size_t(qMax(count, 0)));
    if (count > 0)
        ::getgroups(count, m_groups.data());
    const gid_t nobodyGroup = NobodyId;
    if (::setgroups(1, &nobodyGroup) != 0 || ::setegid(NobodyId) != 0 || ::seteuid(NobodyId) != 0)
        qFatal("cannot act as user nobody");
    m_switched = true;
}

UnprivilegedUser::~UnprivilegedUser()
{
    if (!m_switched)
        return;
    if (::seteuid(0) != 0 || ::setegid(0) != 0 || ::setgroups(m_groups.size(), m_groups.data()) != 0)
        qFatal("cannot return to root");
}

bool UnprivilegedUser::isRoot()
{
    return ::geteuid() == 0;
}

void UnprivilegedUser::allowEveryone(const char* path)
{
    QByteArray folder(path);
    while (folder.size() > 1) {
        struct stat status {};
        if (::stat(folder.constData(), &status) == 0 && S_ISDIR(status.st_mode))
            ::chmod(folder.constData(), status.st_mode | S_IXOTH);
        const qsizetype slash = folder.lastIndexOf('/');
        if (slash <= 0)
            break;
        folder.truncate(slash);
    }
}
