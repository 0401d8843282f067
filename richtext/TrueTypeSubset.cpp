#include "richtext/TrueTypeSubset.h"

#include <QRawFont>
#include <QtEndian>

#include <algorithm>
#include <array>

namespace {
quint16 u16(const QByteArray& data, qsizetype at)
{
    return at + 2 <= data.size() ? qFromBigEndian<quint16>(data.constData() + at) : 0;
}

quint32 u32(const QByteArray& data, qsizetype at)
{
    return at + 4 <= data.size() ? qFromBigEndian<quint32>(data.constData() + at) : 0;
}

void put16(QByteArray& data, quint16 value)
{
    char bytes[2];
    qToBigEndian(value, bytes);
    data.append(bytes, 2);
}

void put32(QByteArray& data, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    data.append(bytes, 4);
}

quint32 checksum(const QByteArray& table)
{
    quint32 sum = 0;
    for (qsizetype i = 0; i < table.size(); i += 4) {
        quint32 word = 0;
        for (int k = 0; k < 4; ++k)
            word = (word << 8) | quint8(i + k < table.size() ? table[i + k] : 0);
        sum += word;
    }
    return sum;
}

// Where each glyph's outline lies in glyf, from loca in either of its two formats.
std::vector<quint32> glyphOffsets(const QByteArray& loca, bool longFormat, int glyphCount)
{
    std::vector<quint32> offsets(size_t(glyphCount) + 1);
    for (int i = 0; i <= glyphCount; ++i)
        offsets[size_t(i)] = longFormat ? u32(loca, qsizetype(i) * 4) : quint32(u16(loca, qsizetype(i) * 2)) * 2;
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
    // fsType 2: the licence forbids embedding; bit 9: only bitmaps may be embedded.
    const quint16 fsType = u16(raw.fontTable("OS/2"), 8);
    return fsType != 2 && !(fsType & 0x200);
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
        put32(newLoca, quint32(newGlyf.size()));
        if (!keep[size_t(g)])
            continue;
        newGlyf += outline(g);
        while (newGlyf.size() % 4)
            newGlyf.append('\0');
    }
    put32(newLoca, quint32(newGlyf.size()));
    // Long offsets in loca, and no checksum adjustment until the whole file is known.
    qToBigEndian<quint16>(1, head.data() + 50);
    qToBigEndian<quint32>(0, head.data() + 8);
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
        put16(newHmtx, keep[size_t(g)] ? u16(hmtx, qsizetype(g) * 4) : 0);
        put16(newHmtx, keep[size_t(g)] ? u16(hmtx, qsizetype(g) * 4 + 2) : 0);
    }
    for (int g = fullMetrics; g < count; ++g)
        put16(newHmtx, keep[size_t(g)] ? u16(hmtx, qsizetype(oldFullMetrics) * 4 + qsizetype(g - oldFullMetrics) * 2)
                                       : 0);

    struct Table {
        std::array<char, 4> tag;
        QByteArray data;
    };
    std::vector<Table> tables;
    auto add = [&](const char (&tag)[5], const QByteArray& data) {
        if (!data.isEmpty())
            tables.push_back({{tag[0], tag[1], tag[2], tag[3]}, data});
    };
    // What a PDF reader needs of a font it addresses by glyph number: no character map, names or
    // PostScript data.
    add("OS/2", raw.fontTable("OS/2"));
    add("cvt ", raw.fontTable("cvt "));
    add("fpgm", raw.fontTable("fpgm"));
    add("glyf", newGlyf);
    add("head", head);
    add("hhea", hhea);
    add("hmtx", newHmtx);
    add("loca", newLoca);
    add("maxp", newMaxp);
    add("prep", raw.fontTable("prep"));
    std::sort(tables.begin(), tables.end(), [](const Table& a, const Table& b) { return a.tag < b.tag; });

    const quint16 tableCount = quint16(tables.size());
    quint16 power = 1, log2 = 0;
    while (power * 2 <= tableCount) {
        power *= 2;
        ++log2;
    }
    QByteArray font;
    put32(font, 0x00010000);
    put16(font, tableCount);
    put16(font, quint16(power * 16));
    put16(font, log2);
    put16(font, quint16(tableCount * 16 - power * 16));
    quint32 offset = 12 + 16 * quint32(tableCount);
    qsizetype headAt = -1;
    for (const Table& table : tables) {
        font.append(table.tag.data(), 4);
        put32(font, checksum(table.data));
        put32(font, offset);
        put32(font, quint32(table.data.size()));
        if (table.tag == std::array<char, 4>{'h', 'e', 'a', 'd'})
            headAt = offset;
        offset += quint32((table.data.size() + 3) & ~3);
    }
    for (const Table& table : tables) {
        font += table.data;
        while (font.size() % 4)
            font.append('\0');
    }
    if (headAt >= 0)
        qToBigEndian<quint32>(0xB1B0AFBA - checksum(font), font.data() + headAt + 8);
    return font;
}
