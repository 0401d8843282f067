#include "framework/TPicture.h"

#include "framework/AppError.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

namespace {
// Larger pictures than this are refused before decoding, so a damaged header cannot make us
// allocate gigabytes.
constexpr qint64 MaxPixels = 16384LL * 16384LL;

const char* readerFormat(TPicture::Format format)
{
    return format == TPicture::Format::Jpeg ? "JPEG" : "BMP";
}

// The picture's size as its header gives it, without decoding it.
QSize headerSize(const QByteArray& data, TPicture::Format format)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer, readerFormat(format)).size();
}

QImage decode(const QByteArray& data, TPicture::Format format)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, readerFormat(format));
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > MaxPixels)
        throw AppError(QStringLiteral("the picture is too large (%1 by %2)").arg(size.width()).arg(size.height()));
    QImage image = reader.read();
    if (image.isNull())
        throw AppError(QStringLiteral("the picture cannot be decoded: %1").arg(reader.errorString()));
    return image;
}

// Checks what can be checked before decoding: the kind of file and that it is complete.
TPicture::Format checkedFormat(const QByteArray& data)
{
    if (data.size() >= 2 && data.startsWith("BM")) {
        if (data.size() < 54)
            throw AppError(QStringLiteral("the bitmap is truncated (%1 bytes)").arg(data.size()));
        const quint32 declared = qFromLittleEndian<quint32>(data.constData() + 2);
        if (declared != quint32(data.size()))
            throw AppError(QStringLiteral("the bitmap's size field says %1 bytes but it has %2")
                               .arg(declared)
                               .arg(data.size()));
        return TPicture::Format::Bitmap;
    }
    if (data.size() >= 3 && quint8(data[0]) == 0xFF && quint8(data[1]) == 0xD8 && quint8(data[2]) == 0xFF) {
        qsizetype end = data.size();
        while (end > 2 && data[end - 1] == '\0')
            --end;
        if (end < 4 || quint8(data[end - 2]) != 0xFF || quint8(data[end - 1]) != 0xD9)
            throw AppError(QStringLiteral("the JPEG picture is truncated"));
        return TPicture::Format::Jpeg;
    }
    throw AppError(QStringLiteral("not a BMP or JPEG picture"));
}
} // namespace

TPicture TPicture::fromFileData(const QByteArray& data)
{
    TPicture picture;
    picture.m_data = data;
    picture.m_format = checkedFormat(data);
    picture.m_image = decode(data, picture.m_format);
    return picture;
}

TPicture TPicture::fromImage(const QImage& image)
{
    TPicture picture;
    picture.m_image = image;
    picture.m_format = image.isNull() ? Format::None : Format::Bitmap;
    return picture;
}

QString TPicture::doubleFileName(const QString& fileName)
{
    const qsizetype slash = fileName.lastIndexOf(u'/');
    const qsizetype dot = fileName.lastIndexOf(u'.');
    QString name = fileName;
    return dot > slash ? name.insert(dot, QStringLiteral("@2x")) : name + QStringLiteral("@2x");
}

void TPicture::setDoubleFileData(const QByteArray& data)
{
    if (checkedFormat(data) != m_format)
        throw AppError(QStringLiteral("its double is of another format"));
    const QSize size = headerSize(data, m_format);
    if (size != m_image.size() * 2) {
        throw AppError(QStringLiteral("its double is %1 by %2 pixels, not %3 by %4")
                           .arg(size.width())
                           .arg(size.height())
                           .arg(2 * width())
                           .arg(2 * height()));
    }
    m_doubleData = data;
    m_double = QImage();
}

const QImage& TPicture::imageFor(qreal devicePixelRatio) const
{
    if (devicePixelRatio < 1.5 || m_doubleData.isEmpty())
        return m_image;
    if (m_double.isNull()) {
        // Decoded when first drawn: most screens never need it. A double that does not decode
        // leaves the picture itself.
        try {
            m_double = decode(m_doubleData, m_format);
            m_double.setDevicePixelRatio(2);
        } catch (const AppError&) {
            m_doubleData.clear();
            return m_image;
        }
    }
    return m_double;
}
