#include "framework/SymbolFontFallback.h"

#include <QFontInfo>
#include <QHash>

namespace {
// Characters of the Wingdings face and the Unicode symbols they show.
const QHash<char16_t, char16_t>& wingdings()
{
    static const QHash<char16_t, char16_t> symbols = {
        {0xE7, 0x2190}, {0xE8, 0x2192}, {0xE9, 0x2191}, {0xEA, 0x2193}, // arrows
        {0xEF, 0x21E6}, {0xF0, 0x21E8}, {0xF1, 0x21E7}, {0xF2, 0x21E9}, // outlined arrows
        {0xFB, 0x2717}, {0xFC, 0x2713}, {0xA8, 0x25FB}, {0x6C, 0x25CF}, // crosses, ticks, shapes
    };
    return symbols;
}
} // namespace

QString SymbolFontFallback::displayText(const QString& text, const QFont& font, QFont* drawingFont)
{
    *drawingFont = font;
    const QString family = font.families().value(0);
    if (family.compare(QLatin1String("Wingdings"), Qt::CaseInsensitive) != 0
        || QFontInfo(font).family().compare(family, Qt::CaseInsensitive) == 0)
        return text;
    drawingFont->setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    // The stand-in symbols run taller than the originals: keep them inside the same cell.
    if (font.pixelSize() > 8)
        drawingFont->setPixelSize(font.pixelSize() - 2);
    QString shown = text;
    for (QChar& c : shown)
        c = QChar(wingdings().value(c.unicode(), c.unicode()));
    return shown;
}
