#include "richtext/DocumentDefaults.h"

#include "richtext/DocumentFormat.h"

#include <QTextDocument>

namespace DocumentDefaults {
namespace {
constexpr const char* StoredFormat = "lumaroDefaultCharFormat";

QTextCharFormat fromFont(const QFont& font)
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{font.family()});
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    DocumentFormat::setSizeTwips(format, qMax(1, qRound(points * DocumentFormat::TwipsPerPoint)));
    format.setFontWeight(font.weight());
    format.setFontItalic(font.italic());
    format.setFontUnderline(font.underline());
    format.setFontStrikeOut(font.strikeOut());
    format.setProperty(DocumentFormat::Charset, 1);
    format.setProperty(DocumentFormat::Pitch, 0);
    return format;
}

QFont toFont(const QTextCharFormat& format, QFont font)
{
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty())
        font.setFamilies(families);
    if (format.fontPointSize() > 0)
        font.setPointSizeF(format.fontPointSize());
    font.setWeight(QFont::Weight(format.fontWeight()));
    font.setItalic(format.fontItalic());
    font.setUnderline(format.fontUnderline());
    font.setStrikeOut(format.fontStrikeOut());
    font.setFixedPitch(format.intProperty(DocumentFormat::Pitch) == 1);
    return font;
}
} // namespace

QTextCharFormat charFormat(const QTextDocument& document)
{
    const QVariant stored = document.property(StoredFormat);
    if (stored.metaType() == QMetaType::fromType<QTextFormat>())
        return stored.value<QTextFormat>().toCharFormat();
    return fromFont(document.defaultFont());
}

void setCharFormat(QTextDocument& document, const QTextCharFormat& format)
{
    document.setProperty(StoredFormat, QVariant::fromValue(QTextFormat(format)));
    reapply(document);
}

void reapply(QTextDocument& document)
{
    const QFont font = toFont(charFormat(document), document.defaultFont());
    if (font != document.defaultFont())
        document.setDefaultFont(font);
}

QTextCharFormat resolved(const QTextDocument& document, const QTextCharFormat& own)
{
    QTextCharFormat format = charFormat(document);
    format.merge(own);
    // Text that names its face the older way (a single family) shows in that face.
    if (own.hasProperty(QTextFormat::FontFamily) && !own.hasProperty(QTextFormat::FontFamilies))
        format.setFontFamilies(QStringList{own.stringProperty(QTextFormat::FontFamily)});
    return format;
}
} // namespace DocumentDefaults
