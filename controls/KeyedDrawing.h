#pragma once

#include "framework/Colors.h"

#include <QImage>
#include <QRect>
#include <optional>

class QPainter;

// Colour-keyed drawing of pictures: source pixels of the key colour leave the destination as it
// was, every other pixel replaces it. Scaling samples the nearest source pixel, so rows and
// columns are dropped or repeated, never blended. Source pixels outside the picture (a source
// area larger than the picture) leave the destination unchanged too.
namespace KeyedDrawing {
// Copies the source area of source onto the destination area, scaled; pixels whose RGB value
// equals key are skipped.
void KeyedBlit(QPainter& destination, const QRect& destinationArea, const QImage& source,
               const QRect& sourceArea, QRgb key);

// Draws a part of picture. A destination width or height of 0 or less stands for the
// picture's; a source width or height of 0 or less selects the whole picture. key clNone
// copies every pixel; a monochrome picture always uses white as its key.
void DrawKeyedPart(QPainter& destination, const QImage& picture, Colors::TColor key, int dstX, int dstY,
                   int dstW = 0, int dstH = 0, int srcX = 0, int srcY = 0, int srcW = 0, int srcH = 0);
// The whole picture at its natural size at (x, y).
void DrawKeyed(QPainter& destination, int x, int y, const QImage& picture, Colors::TColor key);
// The source rectangle of picture, scaled to the destination area.
void DrawKeyedRect(QPainter& destination, int dstX, int dstY, int dstW, int dstH, const QRect& source,
                   const QImage& picture, Colors::TColor key);

// The source area scaled to size by nearest pixel, as an ARGB image: opaque where a source pixel
// was taken, fully transparent where it was outside the picture or (with a key) key-coloured.
QImage scaledNearest(const QImage& source, const QRect& sourceArea, const QSize& size,
                     std::optional<QRgb> key = std::nullopt);
} // namespace KeyedDrawing
