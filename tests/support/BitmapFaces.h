#pragma once

#include <QString>

// Debian's fontconfig hides the desktop's bitmap (non-scalable) faces. A process that sets
// FONTCONFIG_FILE to the configuration written here, before it starts Qt, sees them as well.
class BitmapFaces {
public:
    // Writes a configuration that takes the system's and accepts bitmap faces; false when the
    // file cannot be written.
    static bool writeConfiguration(const QString& path);
    // Writes it into folder and points this process's FONTCONFIG_FILE at it; call before Qt
    // starts. Stops the process when the file cannot be written.
    static void showInThisProcess(const QString& folder);
};
