#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

// Writes a file so that a crash, a killed process or a power cut leaves either the old file or
// the new one, never a mix or an empty file, and so that the file stays what it was to its
// owner and to the links that name it:
//
// - the content goes to a temporary file in the same folder (unnamed where the file system
//   allows, so a killed process leaves nothing behind), which is flushed to the disk and then
//   renamed over the old file; the folder is flushed too, so the rename itself survives;
// - a symbolic link is followed and its target written, so the link stays a link; in a folder
//   that others may write to and that has the sticky bit (such as /tmp), a link owned by
//   somebody else than us and the folder's owner is not followed (the kernel's own rule for
//   protected links, which a rename would otherwise go around);
// - the old file's permissions (setgid included), owner, group and extended attributes (ACLs
//   among them) are kept; where the owner or group cannot be kept, where the file has other
//   names (hard links) that must see the new content, or where the folder does not let us
//   create the temporary file, the file is written in place as the last resort, with the old
//   content put back should that write fail;
// - on failure the old file is unchanged, no temporary file is left behind, and AppError says
//   why: "Cannot create file %s: <the system's reason>" when the file cannot be created or
//   replaced, "Failed to Save Stream: <reason>" when writing it fails.
class DurableFile {
public:
    // Writes the content into the device; false when it cannot (the device's error, if any,
    // becomes the reason). May throw AppError, which passes on after the clean-up.
    using Producer = std::function<bool(QIODevice&)>;

    static void write(const QString& path, const Producer& produce);
    static void write(const QString& path, const QByteArray& bytes);
};
