#pragma once

#include <QString>
#include <QtGlobal>

// What a file is at one moment, as far as telling whether another program has since changed,
// replaced or removed it: its device and inode (a replacement is a new inode), its size and its
// modification time to the nanosecond. Symbolic links are followed.
class FileIdentity {
public:
    // The identity of a file that does not exist.
    FileIdentity() = default;
    static FileIdentity of(const QString& path);

    bool exists() const { return m_exists; }
    bool operator==(const FileIdentity&) const = default;

    // A one-line form for storing beside other data, and back; fromText of anything else gives
    // the identity of no file.
    QString toText() const;
    static FileIdentity fromText(const QString& text);

private:
    bool m_exists = false;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    qint64 m_size = 0;
    qint64 m_modifiedSeconds = 0;
    qint64 m_modifiedNanoseconds = 0;
};
