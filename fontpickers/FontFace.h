#pragma once

#include <QString>

// One font as a device's enumeration reports it: the face name and its kind. A raster face is
// reported once per size and style with the metrics of that size, in the device's pixels.
struct FontFace {
    // The kind bits; a vector face carries none of them.
    enum Type : int { Raster = 1, Device = 2, TrueType = 4 };

    QString name;
    int type = 0;
    int cellHeight = 0;      // character cell height (ascent + descent)
    int internalLeading = 0; // part of the cell above the character height (accents)

    // The character height, which is what a raster face's point size is measured on.
    int characterHeight() const { return cellHeight - internalLeading; }
    bool operator==(const FontFace&) const = default;
};
