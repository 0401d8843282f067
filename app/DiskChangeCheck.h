#pragma once

#include "framework/FileIdentity.h"

#include <QString>

// Remembers the document's file as it was when the document was loaded from it or saved to it,
// so that a save does not silently overwrite what another program has written there since, nor
// bring back a file that was removed: the user is asked first.
class DiskChangeCheck {
public:
    void remember(const QString& path, const FileIdentity& file);
    void forget();

    const FileIdentity& file() const { return m_file; }
    // Whether a save to path may go ahead: the file is as it was remembered (or nothing is
    // remembered of it), or the user agrees in the confirmation dialog that names it.
    bool mayOverwrite(const QString& path) const;

private:
    QString m_path;
    FileIdentity m_file;
};
