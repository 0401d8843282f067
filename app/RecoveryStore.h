#pragma once

#include "framework/FileIdentity.h"
#include "richtext/PlainTextFormat.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QLockFile;

// The copies of unsaved work that crash recovery keeps, one RTF file per editing session in the
// user's state folder. A copy names its document and the time it was written inside itself (in
// an ignorable RTF group, so it opens as the document it holds), and is owned by the running
// instance that holds its lock file; a copy whose lock nobody holds is left from a session that
// ended without saving or giving up its work.
class RecoveryStore {
public:
    struct Copy {
        QString id;
        QString path;
        QString documentName; // empty for a document that was never saved

        QDateTime savedAt;
        // The document's file as the session that wrote the copy last loaded or saved it.
        FileIdentity original;
        // How that file was written when it is a plain-text one (so it is saved as text again).
        std::optional<PlainTextFormat> plainText;
    };
    struct Claimed {
        Copy copy;
        std::unique_ptr<QLockFile> lock;
    };

    // $XDG_STATE_HOME/lumaropad/recovery, else ~/.local/state/lumaropad/recovery.
    static QString folder();
    // Creates the folder (for the user alone) when it is missing; false when it cannot.
    static bool makeFolder();
    static QString newId();
    static QString copyPath(const QString& id);
    // The lock of a copy, held for as long as an instance owns the copy.
    static std::unique_ptr<QLockFile> lockFor(const QString& id);

    // The RTF of a document with what the copy says of it (all of copy but its id and path).
    static QByteArray compose(QByteArray rtf, const Copy& copy);
    // The copy stored in file path; nullopt when the file is not a copy.
    static std::optional<Copy> read(const QString& path);

    // Takes the copies that no running instance owns, newest first, each with its lock held.
    // Lock files left without a copy are removed on the way.
    static std::vector<Claimed> claimOrphans();
    // Removes a copy and releases its lock.
    static void remove(const QString& id, std::unique_ptr<QLockFile> lock);
};
