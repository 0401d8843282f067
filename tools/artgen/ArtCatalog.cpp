#include "ArtCatalog.h"

#include "PictureWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace {
// High enough that small text on the pages shows no ringing.
constexpr int JpegQuality = 93;
} // namespace

ArtCatalog::ArtCatalog(const QString& artRoot) : m_root(artRoot) {}

void ArtCatalog::bmp24(const QString& path, const QString& component, const QImage& image)
{
    add(path, component, QStringLiteral("BMP, 24-bit"), PictureWriter::bmp24(image));
}

void ArtCatalog::bmp4(const QString& path, const QString& component, const QImage& image)
{
    add(path, component, QStringLiteral("BMP, 4-bit (16 colours)"),
        PictureWriter::bmp4(image, PictureWriter::vgaPalette()));
}

void ArtCatalog::jpeg(const QString& path, const QString& component, const QImage& image)
{
    add(path, component, QStringLiteral("JPEG, baseline"), PictureWriter::jpeg(image, JpegQuality));
}

void ArtCatalog::png(const QString& path, const QString& component, const QImage& image)
{
    add(path, component, QStringLiteral("PNG"), PictureWriter::png(image));
}

void ArtCatalog::ico4(const QString& path, const QString& component, const QImage& image)
{
    add(path, component, QStringLiteral("ICO, 4-bit (16 colours)"),
        PictureWriter::ico4(image, PictureWriter::vgaPalette()));
}

const ArtCatalog::Entry& ArtCatalog::entry(const QString& path) const
{
    for (const Entry& e : m_entries) {
        if (e.path == path)
            return e;
    }
    throw std::runtime_error("no picture " + path.toStdString());
}

void ArtCatalog::add(const QString& path, const QString& component, const QString& format,
                     const QByteArray& data)
{
    writeFile(m_root + QLatin1Char('/') + path, data);
    Entry e;
    e.path = path;
    e.group = m_group;
    e.component = component;
    e.place = m_place;
    e.format = format;
    e.image = QImage::fromData(data);
    e.bytes = data.size();
    if (e.image.isNull())
        throw std::runtime_error("the written picture does not decode: " + path.toStdString());
    m_entries.append(e);
}

void ArtCatalog::writeFile(const QString& absolutePath, const QByteArray& data)
{
    QFile existing(absolutePath);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == data)
        return;
    existing.close();
    QDir().mkpath(QFileInfo(absolutePath).absolutePath());
    QFile file(absolutePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        throw std::runtime_error("cannot write " + absolutePath.toStdString());
    ++m_changed;
}
