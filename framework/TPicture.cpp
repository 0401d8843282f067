#include "framework/TPicture.h"

#include "framework/AppError.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

namespace {
// Larger pictures than this are refused before decoding, so a damaged header cannot make us
// allocate gigabytes.
constexpr qint64 MaxPixels = 16384LL * 16384LL;

QImage decode(const QByteArray& data, const char* format)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > MaxPixels)
        throw AppError(QStringLiteral("the picture is too large (%1 by %2)").arg(size.width()).arg(size.height()));
    QImage image = reader.read();
    if (image.isNull())
        throw AppError(QStringLiteral("the picture cannot be decoded: %1").arg(reader.errorString()));
    return image;
}
} // namespace

TPicture TPicture::fromFileData(const QByteArray& data)
{
    TPicture picture;
    picture.m_data = data;
    if (data.size() >= 2 && data.startsWith("BM")) {
        if (data.size() < 54)
            throw AppError(QStringLiteral("the bitmap is truncated (%1 bytes)").arg(data.size()));
        const quint32 declared = qFromLittleEndian<quint32>(data.constData() + 2);
        if (declared != quint32(data.size()))
            throw AppError(QStringLiteral("the bitmap's size field says %1 bytes but it has %2")
                               .arg(declared)
                               .arg(data.size()));
        picture.m_image = decode(data, "BMP");
        picture.m_format = Format::Bitmap;
    } else if (data.size() >= 3 && quint8(data[0]) == 0xFF && quint8(data[1]) == 0xD8 && quint8(data[2]) == 0xFF) {
        qsizetype end = data.size();
        while (end > 2 && data[end - 1] == '\0')
            --end;
        if (end < 4 || quint8(data[end - 2]) != 0xFF || quint8(data[end - 1]) != 0xD9)
            throw AppError(QStringLiteral("the JPEG picture is truncated"));
        picture.m_image = decode(data, "JPEG");
        picture.m_format = Format::Jpeg;
    } else {
        throw AppError(QStringLiteral("not a BMP or JPEG picture"));
    }
    return picture;
}

TPicture TPicture::fromImage(const QImage& image)
{
    TPicture picture;
    picture.m_image = image;
    picture.m_format = image.isNull() ? Format::None : Format::Bitmap;
    return picture;
}
