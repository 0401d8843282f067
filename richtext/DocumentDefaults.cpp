#include "richtext/DocumentDefaults.h"

#include "richtext/DocumentFormat.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVector>

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
    return resolved(charFormat(document), own);
}

QTextCharFormat resolved(const QTextCharFormat& defaults, const QTextCharFormat& own)
{
    QTextCharFormat format = defaults;
    format.merge(own);
    // Text that names its face the older way (a single family) shows in that face.
    if (own.hasProperty(QTextFormat::FontFamily) && !own.hasProperty(QTextFormat::FontFamilies))
        format.setFontFamilies(QStringList{own.stringProperty(QTextFormat::FontFamily)});
    return format;
}

bool beyondDefaultFont(const QTextDocument& document)
{
    return beyondDefaultFont(charFormat(document));
}

bool beyondDefaultFont(const QTextCharFormat& format)
{
    return format.fontWeight() > QFont::Medium || format.fontItalic() ||
           format.underlineStyle() != QTextCharFormat::NoUnderline || format.fontStrikeOut() ||
           format.hasProperty(QTextFormat::ForegroundBrush) ||
           format.intProperty(DocumentFormat::Charset) != 1 || format.intProperty(DocumentFormat::Pitch) != 0;
}

QFont defaultFont(const QTextCharFormat& defaults, const QFont& base)
{
    return toFont(defaults, base);
}

void resolveAll(QTextDocument& document)
{
    struct Run {
        int start;
        int end;
        QTextCharFormat format;
    };
    QVector<Run> runs;
    QVector<QTextBlock> blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        blocks.append(block);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            runs.append(
                {fragment.position(), fragment.position() + fragment.length(), fragment.charFormat()});
        }
    }
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (const QTextBlock& block : blocks) {
        cursor.setPosition(block.position());
        cursor.setBlockCharFormat(resolved(document, block.charFormat()));
    }
    for (const Run& run : runs) {
        cursor.setPosition(run.start);
        cursor.setPosition(run.end, QTextCursor::KeepAnchor);
        cursor.setCharFormat(resolved(document, run.format));
    }
    cursor.endEditBlock();
}
} // namespace DocumentDefaults
