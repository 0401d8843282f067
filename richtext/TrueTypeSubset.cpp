#include "richtext/TrueTypeSubset.h"

#include "richtext/SfntWriter.h"

#include <QRawFont>
#include <QtEndian>


namespace {
quint16 u16(const QByteArray& data, qsizetype at)
{
    return SfntWriter::read16(data, at);
}

// Where each glyph's outline lies in glyf, from loca in either of its two formats.
std::vector<quint32> glyphOffsets(const QByteArray& loca, bool longFormat, int glyphCount)
{
    std::vector<quint32> offsets(size_t(glyphCount) + 1);
    for (int i = 0; i <= glyphCount; ++i)
        offsets[size_t(i)] = longFormat ? SfntWriter::read32(loca, qsizetype(i) * 4) : quint32(u16(loca, qsizetype(i) * 2)) * 2;
    return offsets;
}

// The glyphs a composite glyph is made of.
void addComponents(const QByteArray& glyph, std::vector<quint16>& parts)
{
    if (glyph.size() < 10 || qint16(u16(glyph, 0)) >= 0)
        return;
    constexpr quint16 ArgsAreWords = 0x0001, HasScale = 0x0008, MoreComponents = 0x0020, HasXYScale = 0x0040,
                      HasTwoByTwo = 0x0080;
    qsizetype at = 10;
    quint16 flags = MoreComponents;
    while ((flags & MoreComponents) && at + 4 <= glyph.size()) {
        flags = u16(glyph, at);
        parts.push_back(u16(glyph, at + 2));
        at += 4 + ((flags & ArgsAreWords) ? 4 : 2);
        if (flags & HasScale)
            at += 2;
        else if (flags & HasXYScale)
            at += 4;
        else if (flags & HasTwoByTwo)
            at += 8;
    }
}
} // namespace

bool TrueTypeSubset::canEmbed(const QRawFont& raw)
{
    if (raw.fontTable("glyf").isEmpty() || raw.fontTable("loca").isEmpty() || raw.fontTable("head").size() < 54)
        return false;
    return SfntWriter::licenceAllowsEmbedding(raw.fontTable("OS/2"));
}

QByteArray TrueTypeSubset::build(const QRawFont& raw, const std::vector<bool>& used)
{
    QByteArray head = raw.fontTable("head");
    const QByteArray maxp = raw.fontTable("maxp");
    const QByteArray glyf = raw.fontTable("glyf");
    const QByteArray loca = raw.fontTable("loca");
    const int glyphCount = u16(maxp, 4);
    if (head.size() < 54 || glyphCount == 0)
        return {};
    const std::vector<quint32> offsets = glyphOffsets(loca, u16(head, 50) != 0, glyphCount);
    auto outline = [&](int glyph) {
        const quint32 from = offsets[size_t(glyph)], to = offsets[size_t(glyph) + 1];
        return to > from && to <= quint32(glyf.size()) ? glyf.mid(from, to - from) : QByteArray();
    };

    std::vector<bool> keep(size_t(glyphCount), false);
    std::vector<quint16> pending{0};
    for (size_t g = 0; g < used.size() && g < keep.size(); ++g)
        if (used[g])
            pending.push_back(quint16(g));
    while (!pending.empty()) {
        const quint16 glyph = pending.back();
        pending.pop_back();
        if (glyph >= glyphCount || keep[glyph])
            continue;
        keep[glyph] = true;
        addComponents(outline(glyph), pending);
    }

    // Glyphs after the last one kept are left out altogether.
    int count = glyphCount;
    while (count > 1 && !keep[size_t(count - 1)])
        --count;
    QByteArray newGlyf;
    QByteArray newLoca;
    for (int g = 0; g < count; ++g) {
        SfntWriter::put32(newLoca, quint32(newGlyf.size()));
        if (!keep[size_t(g)])
            continue;
        newGlyf += outline(g);
        while (newGlyf.size() % 4)
            newGlyf.append('\0');
    }
    SfntWriter::put32(newLoca, quint32(newGlyf.size()));
    // Long offsets in loca.
    qToBigEndian<quint16>(1, head.data() + 50);
    QByteArray newMaxp = maxp;
    qToBigEndian<quint16>(quint16(count), newMaxp.data() + 4);
    // The metrics: full ones for the first glyphs, then left side bearings alone.
    QByteArray hhea = raw.fontTable("hhea");
    const QByteArray hmtx = raw.fontTable("hmtx");
    const int oldFullMetrics = u16(hhea, 34);
    const int fullMetrics = qMin(oldFullMetrics, count);
    if (hhea.size() < 36 || fullMetrics == 0)
        return {};
    qToBigEndian<quint16>(quint16(fullMetrics), hhea.data() + 34);
    // Glyphs left out get no metrics either (PDF has widths of its own), which compresses away.
    QByteArray newHmtx;
    for (int g = 0; g < fullMetrics; ++g) {
        SfntWriter::put16(newHmtx, keep[size_t(g)] ? u16(hmtx, qsizetype(g) * 4) : 0);
        SfntWriter::put16(newHmtx, keep[size_t(g)] ? u16(hmtx, qsizetype(g) * 4 + 2) : 0);
    }
    for (int g = fullMetrics; g < count; ++g)
        SfntWriter::put16(newHmtx, keep[size_t(g)] ? u16(hmtx, qsizetype(oldFullMetrics) * 4 + qsizetype(g - oldFullMetrics) * 2)
                                       : 0);

    // What a PDF reader needs of a font it addresses by glyph number: no character map, names or
    // PostScript data.
    SfntWriter font(0x00010000);
    font.add("OS/2", raw.fontTable("OS/2"));
    font.add("cvt ", raw.fontTable("cvt "));
    font.add("fpgm", raw.fontTable("fpgm"));
    font.add("glyf", newGlyf);
    font.add("head", head);
    font.add("hhea", hhea);
    font.add("hmtx", newHmtx);
    font.add("loca", newLoca);
    font.add("maxp", newMaxp);
    font.add("prep", raw.fontTable("prep"));
    return font.finish();
}
