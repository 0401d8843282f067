#include "fontpickers/FontTypePictograms.h"

#include "framework/AppError.h"
#include "framework/ResourceModule.h"
#include "framework/TPicture.h"

namespace {
QImage keyed(const QImage& strip, const QRect& source, QRgb transparent)
{
    QImage image = strip.copy(source).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == (transparent & 0xFFFFFF))
                line[x] = 0;
        }
    }
    return image;
}
} // namespace

const char* const FontTypePictograms::ResourcePath = "art/fontpicker/fonttypes.bmp";

FontTypePictograms::FontTypePictograms(const QImage& strip)
{
    if (strip.width() < 2 || strip.height() < 1)
        return;
    m_half = strip.width() / 2;
    const QRgb transparent = strip.pixel(0, strip.height() - 1);
    m_trueType = keyed(strip, QRect(0, 0, m_half, strip.height()), transparent);
    m_device = keyed(strip, QRect(m_half + 1, 0, m_half - 1, strip.height()), transparent);
}

FontTypePictograms FontTypePictograms::fromResources()
{
    bool found = false;
    const QByteArray data = ResourceModule::read(QString::fromLatin1(ResourcePath), &found);
    if (!found)
        return {};
    try {
        return FontTypePictograms(TPicture::fromFileData(data).image());
    } catch (const AppError&) {
        return {};
    }
}
