#pragma once

#include "fontpickers/FontEnumerator.h"

// The fonts fontconfig offers, through Qt's font database. Scalable outline faces carry the
// TrueType bit, bitmap faces the raster bit, with the metrics of each of their sizes. A family
// name the database does not list is known when fontconfig substitutes a face of its own choice
// for it (as it does for "Arial"), rather than its general fallback. The printer prints with the
// same fonts, so it reports the screen's faces, once there is a default printer.
class SystemFontEnumerator : public FontEnumerator {
public:
    QList<FontFace> faces(Device device) const override;
    QList<FontFace> familyFonts(Device device, const QString& family) const override;
    int pixelsPerInch(Device device) const override;

    // A family name of the database without the foundry Qt appends to tell apart families of
    // the same name ("Fixed [Misc]" is the face "Fixed").
    static QString faceName(const QString& databaseFamily);
};
