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

QString ArtCatalog::highResolutionSummary() const
{
    if (m_highResolutionEntries.isEmpty())
        return {};
    return QStringLiteral(
               "\nEvery picture above that a control draws, apart from the icons (%1 pictures), also has a "
               "copy for high-density screens, `NAME@2x.EXT` beside it: the same design drawn at twice the "
               "resolution, exactly twice as wide and high, in the same format. The controls draw it "
               "where the screen has 1.5 or more device pixels to a pixel. The font-type strip and the "
               "hand cursor are pixel maps, drawn doubled pixel for pixel.\n")
        .arg(m_highResolutionEntries.size());
}

void ArtCatalog::add(const QString& givenPath, const QString& component, const QString& format,
                     const QByteArray& data)
{
    QString path = givenPath;
    if (m_highResolution)
        path.insert(path.lastIndexOf(u'.'), QStringLiteral("@2x"));
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
    (m_highResolution ? m_highResolutionEntries : m_entries).append(e);
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
