#pragma once

#include "fontpickers/FontFace.h"

#include <QList>
#include <QString>

// The fonts of the screen and of the current printer, as the pickers and the main window list
// them. The program asks fontconfig through Qt (SystemFontEnumerator); tests install a list of
// faces of each kind (ListFontEnumerator). Asking the printer throws AppError when there is no
// usable printer.
class FontEnumerator {
public:
    enum class Device { Screen, Printer };

    virtual ~FontEnumerator() = default;

    // Every face of the device, one report per face, in the device's order. A face may be
    // reported more than once (under several foundries or character sets).
    virtual QList<FontFace> faces(Device device) const = 0;
    // Every font of the family of that name (compared without regard to case): one report per
    // style, and for a raster family one per size and style. Empty when the device does not
    // know the family.
    virtual QList<FontFace> familyFonts(Device device, const QString& family) const = 0;
    // Vertical pixels per inch of the metrics that familyFonts reports for the device.
    virtual int pixelsPerInch(Device device) const = 0;

    static FontEnumerator& instance();
    // Installs another enumerator (owned by the caller) and returns the previous one;
    // nullptr restores the system's.
    static FontEnumerator* install(FontEnumerator* enumerator);
};
