#include "controls/KeyedDrawing.h"

#include <QPainter>

namespace KeyedDrawing {
namespace {
// Index of the source pixel whose centre is nearest to the centre of destination pixel i.
int nearest(int i, int sourceOrigin, int sourceLength, int destinationLength)
{
    return sourceOrigin + int((qint64(2 * i + 1) * sourceLength) / (2 * qint64(destinationLength)));
}

void blit(QPainter& destination, const QRect& destinationArea, const QImage& source, const QRect& sourceArea,
          std::optional<QRgb> key)
{
    if (destinationArea.isEmpty() || sourceArea.isEmpty() || source.isNull())
        return;
    const QImage scaled = scaledNearest(source, sourceArea, destinationArea.size(), key);
    destination.save();
    destination.setCompositionMode(QPainter::CompositionMode_SourceOver);
    destination.drawImage(destinationArea.topLeft(), scaled);
    destination.restore();
}
} // namespace

QImage scaledNearest(const QImage& source, const QRect& sourceArea, const QSize& size,
                     std::optional<QRgb> key)
{
    QImage result(size, QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    if (size.isEmpty() || sourceArea.isEmpty())
        return result;
    // 32-bit pixels whatever the picture's depth; alpha is ignored, as a bitmap copy ignores it.
    const QImage pixels = source.convertToFormat(QImage::Format_RGB32);
    const QRgb keyRgb = key ? (*key & RGB_MASK) : 0;
    for (int y = 0; y < size.height(); ++y) {
        const int sy = nearest(y, sourceArea.y(), sourceArea.height(), size.height());
        if (sy < 0 || sy >= pixels.height())
            continue;
        const auto* in = reinterpret_cast<const QRgb*>(pixels.constScanLine(sy));
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int sx = nearest(x, sourceArea.x(), sourceArea.width(), size.width());
            if (sx < 0 || sx >= pixels.width())
                continue;
            const QRgb rgb = in[sx] & RGB_MASK;
            if (key && rgb == keyRgb)
                continue;
            out[x] = rgb | 0xFF000000u;
        }
    }
    return result;
}

void KeyedBlit(QPainter& destination, const QRect& destinationArea, const QImage& source,
               const QRect& sourceArea, QRgb key)
{
    blit(destination, destinationArea, source, sourceArea, key);
}

void DrawKeyedPart(QPainter& destination, const QImage& picture, Colors::TColor key, int dstX, int dstY,
                   int dstW, int dstH, int srcX, int srcY, int srcW, int srcH)
{
    if (picture.isNull())
        return;
    if (dstW <= 0)
        dstW = picture.width();
    if (dstH <= 0)
        dstH = picture.height();
    if (srcW <= 0 || srcH <= 0) {
        srcX = 0;
        srcY = 0;
        srcW = picture.width();
        srcH = picture.height();
    }
    const QRect destinationArea(dstX, dstY, dstW, dstH);
    const QRect sourceArea(srcX, srcY, srcW, srcH);
    if (key == Colors::clNone) {
        blit(destination, destinationArea, picture, sourceArea, std::nullopt);
        return;
    }
    const bool monochrome = picture.depth() == 1;
    const QRgb keyRgb = monochrome ? qRgb(255, 255, 255) : Colors::toQColor(key).rgb();
    KeyedBlit(destination, destinationArea, picture, sourceArea, keyRgb);
}

void DrawKeyed(QPainter& destination, int x, int y, const QImage& picture, Colors::TColor key)
{
    DrawKeyedPart(destination, picture, key, x, y, picture.width(), picture.height(), 0, 0, picture.width(),
                  picture.height());
}

void DrawKeyedRect(QPainter& destination, int dstX, int dstY, int dstW, int dstH, const QRect& source,
                   const QImage& picture, Colors::TColor key)
{
    DrawKeyedPart(destination, picture, key, dstX, dstY, dstW, dstH, source.x(), source.y(), source.width(),
                  source.height());
}
} // namespace KeyedDrawing
