#include "framework/FileIdentity.h"

#include <QFile>
#include <QStringList>

#include <sys/stat.h>

FileIdentity FileIdentity::of(const QString& path)
{
    FileIdentity identity;
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return identity;
    identity.m_exists = true;
    identity.m_device = quint64(status.st_dev);
    identity.m_inode = quint64(status.st_ino);
    identity.m_size = qint64(status.st_size);
    identity.m_modifiedSeconds = qint64(status.st_mtim.tv_sec);
    identity.m_modifiedNanoseconds = qint64(status.st_mtim.tv_nsec);
    return identity;
}

QString FileIdentity::toText() const
{
    if (!m_exists)
        return QStringLiteral("-");
    return QStringLiteral("%1:%2:%3:%4.%5")
        .arg(m_device)
        .arg(m_inode)
        .arg(m_size)
        .arg(m_modifiedSeconds)
        .arg(m_modifiedNanoseconds, 9, 10, QLatin1Char('0'));
}

FileIdentity FileIdentity::fromText(const QString& text)
{
    FileIdentity identity;
    const QStringList parts = text.split(u':');
    const QStringList time = parts.value(3).split(u'.');
    if (parts.size() != 4 || time.size() != 2)
        return identity;
    bool ok[5] = {};
    identity.m_device = parts[0].toULongLong(&ok[0]);
    identity.m_inode = parts[1].toULongLong(&ok[1]);
    identity.m_size = parts[2].toLongLong(&ok[2]);
    identity.m_modifiedSeconds = time[0].toLongLong(&ok[3]);
    identity.m_modifiedNanoseconds = time[1].toLongLong(&ok[4]);
    for (bool valid : ok) {
        if (!valid)
            return FileIdentity();
    }
    identity.m_exists = true;
    return identity;
}
