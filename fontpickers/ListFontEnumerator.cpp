#include "fontpickers/ListFontEnumerator.h"

#include "framework/AppError.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

ListFontEnumerator::ListFontEnumerator(QList<FontFace> screenFaces, QList<FontFace> printerFaces)
{
    m_faces[0] = std::move(screenFaces);
    m_faces[1] = std::move(printerFaces);
}

void ListFontEnumerator::setFaces(Device device, QList<FontFace> faces)
{
    m_faces[index(device)] = std::move(faces);
}

void ListFontEnumerator::setPixelsPerInch(Device device, int pixelsPerInch)
{
    m_pixelsPerInch[index(device)] = pixelsPerInch;
}

void ListFontEnumerator::require(Device device) const
{
    ++m_queries[index(device)];
    if (device == Device::Printer && !m_printerInstalled)
        throw AppError(StringTable::load(StringId::NoDefaultPrinter));
}

QList<FontFace> ListFontEnumerator::faces(Device device) const
{
    require(device);
    return m_faces[index(device)];
}

QList<FontFace> ListFontEnumerator::familyFonts(Device device, const QString& family) const
{
    require(device);
    QList<FontFace> fonts;
    for (const FontFace& face : m_faces[index(device)]) {
        if (face.name.compare(family, Qt::CaseInsensitive) == 0)
            fonts.append(face);
    }
    return fonts;
}

int ListFontEnumerator::pixelsPerInch(Device device) const
{
    if (device == Device::Printer && !m_printerInstalled)
        throw AppError(StringTable::load(StringId::NoDefaultPrinter));
    return m_pixelsPerInch[index(device)];
}
