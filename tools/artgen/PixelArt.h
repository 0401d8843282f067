#pragma once

#include <QHash>
#include <QImage>
#include <QString>

// Pictures drawn pixel by pixel from text maps in data/ (one character a pixel), for the
// pictures too small for vector drawing: the hand cursor and the font-type strip.
class PixelArt {
public:
    // Reads a map; '#' lines are comments. Every character must be in colours; every row as
    // wide as width, and height rows.
    static QImage read(const QString& path, int width, int height, const QHash<QChar, QRgb>& colours);

    static QImage handCursor(const QString& dataDir);
    static QImage fontTypeStrip(const QString& dataDir);
};
