#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

// Encodes pictures in exactly the file formats the program's resources use: uncompressed
// bottom-up BMPs of 24 or 4 bits per pixel, baseline three-component JPEGs, PNGs and 16-colour
// icons. The encoders are our own (BMP, ICO) or drive libjpeg directly, so that bit depth,
// sampling and header fields do not depend on what an image library chooses.
class PictureWriter {
public:
    // The 16 colours of the classic 4-bit palette, in their usual order.
    static const QList<QRgb>& vgaPalette();

    static QByteArray bmp24(const QImage& image);
    // Maps every pixel to the nearest palette colour; the palette has at most 16 entries.
    static QByteArray bmp4(const QImage& image, const QList<QRgb>& palette);
    // Baseline (SOF0) JPEG, three components, no chroma subsampling so small coloured text
    // stays sharp.
    static QByteArray jpeg(const QImage& image, int quality);
    static QByteArray png(const QImage& image);
    // A one-image 4-bit icon: colours from the palette, pixels with alpha below 128 transparent.
    static QByteArray ico4(const QImage& image, const QList<QRgb>& palette);

    static int nearestIndex(QRgb colour, const QList<QRgb>& palette);
};
