#include "fontpickers/SystemFontEnumerator.h"

#include "framework/AppError.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/TFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPrinterInfo>
#include <cmath>

namespace {
void requirePrinter(FontEnumerator::Device device)
{
    if (device == FontEnumerator::Device::Printer && QPrinterInfo::defaultPrinter().isNull())
        throw AppError(StringTable::load(StringId::NoDefaultPrinter));
}

bool sameFace(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The database families that make up the face of that name, through fontconfig's
// substitution when the database does not list the name itself.
QStringList databaseFamilies(const QString& face)
{
    const QStringList all = QFontDatabase::families();
    QStringList found;
    for (const QString& family : all) {
        if (sameFace(SystemFontEnumerator::faceName(family), face))
            found.append(family);
    }
    if (!found.isEmpty() || face.isEmpty())
        return found;
    const QString substitute = QFontInfo(QFont(face)).family();
    const QString fallback = QFontInfo(QFont(QStringLiteral("lumaro no such face"))).family();
    if (sameFace(substitute, fallback))
        return found;
    for (const QString& family : all) {
        if (sameFace(family, substitute))
            found.append(family);
    }
    return found;
}

// The sizes of a bitmap style, in pixels. Qt lists them as rounded point sizes; the pixel
// sizes that round to each are tried and kept where the font engine has that very size.
QList<FontFace> bitmapSizes(const QString& family, const QString& style, int dpi)
{
    QList<FontFace> fonts;
    for (int points : QFontDatabase::pointSizes(family, style)) {
        const int first = int(std::floor((points - 0.5) * dpi / 72.0));
        const int last = int(std::ceil((points + 0.5) * dpi / 72.0));
        for (int pixels = qMax(1, first); pixels <= last; ++pixels) {
            if (qRound(pixels * 72.0 / dpi) != points)
                continue;
            QFont font(family);
            font.setStyleName(style);
            font.setPixelSize(pixels);
            const QFontInfo info(font);
            if (info.pixelSize() != pixels || !sameFace(info.family(), family))
                continue;
            const int cell = qMax(QFontMetrics(font).height(), pixels);
            fonts.append({SystemFontEnumerator::faceName(family), FontFace::Raster, cell, cell - pixels});
        }
    }
    return fonts;
}
} // namespace

QString SystemFontEnumerator::faceName(const QString& databaseFamily)
{
    const qsizetype bracket = databaseFamily.indexOf(QLatin1String(" ["));
    if (bracket > 0 && databaseFamily.endsWith(u']'))
        return databaseFamily.left(bracket);
    return databaseFamily;
}

QList<FontFace> SystemFontEnumerator::faces(Device device) const
{
    requirePrinter(device);
    QList<FontFace> faces;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        const int type = QFontDatabase::isScalable(family) ? FontFace::TrueType : FontFace::Raster;
        faces.append({faceName(family), type, 0, 0});
    }
    return faces;
}

QList<FontFace> SystemFontEnumerator::familyFonts(Device device, const QString& family) const
{
    requirePrinter(device);
    const int dpi = pixelsPerInch(Device::Screen);
    QList<FontFace> fonts;
    for (const QString& databaseFamily : databaseFamilies(family)) {
        QStringList styles = QFontDatabase::styles(databaseFamily);
        if (QFontDatabase::isScalable(databaseFamily)) {
            for (qsizetype i = 0; i < qMax<qsizetype>(1, styles.size()); ++i)
                fonts.append({faceName(databaseFamily), FontFace::TrueType, 0, 0});
            continue;
        }
        for (const QString& style : styles)
            fonts.append(bitmapSizes(databaseFamily, style, dpi));
    }
    return fonts;
}

int SystemFontEnumerator::pixelsPerInch(Device device) const
{
    // The printer's metrics come from the same font engine as the screen's.
    requirePrinter(device);
    return TFont::screenDpi();
}
