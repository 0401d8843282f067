#include "richtext/PdfFonts.h"

#include "richtext/CffFontProgram.h"
#include "richtext/PdfFile.h"
#include "richtext/SfntWriter.h"
#include "richtext/TrueTypeSubset.h"


#include <algorithm>

struct PdfFonts::Face {
    QString family;
    QString style;
    QByteArray head;
    QRawFont raw;
    bool cff = false;                 // CFF outlines, embedded whole; else a TrueType subset
    std::vector<bool> used;          // by glyph number
    std::vector<char32_t> characters; // by glyph number; 0 where unknown
    std::vector<bool> charactersSeen; // Basic Multilingual Plane characters already looked up
    int descriptor = 0;
    int program = 0;
    int toUnicode = 0;
    QByteArray name;
};

namespace {
quint16 u16(const QByteArray& data, qsizetype at)
{
    return SfntWriter::read16(data, at);
}

// Whether the face's post table marks it monospaced.
bool fixedPitch(const QByteArray& post)
{
    return SfntWriter::read32(post, 12) != 0;
}

qint16 s16(const QByteArray& data, qsizetype at)
{
    return qint16(u16(data, at));
}

// Whether the engine behind raw makes up a style the face lacks, which an embedded face would
// not show: Qt emboldens a face without bold (unless it is monospaced) and slants one without
// italic.
bool synthesizesStyle(const QRawFont& raw)
{
    const QByteArray os2 = raw.fontTable("OS/2");
    const QByteArray head = raw.fontTable("head");
    const quint16 selection = u16(os2, 62);
    const quint16 macStyle = u16(head, 44);
    const bool bold = os2.size() >= 64 ? (selection & 0x20) != 0 : (macStyle & 1) != 0;
    const bool italic = os2.size() >= 64 ? (selection & 0x201) != 0 : (macStyle & 2) != 0;
    return (raw.weight() >= QFont::Bold && !bold && !fixedPitch(raw.fontTable("post"))) || (raw.style() != QFont::StyleNormal && !italic);
}

QByteArray postScriptName(const QString& family, const QString& style, size_t index, bool whole)
{
    QByteArray name;
    for (const QChar c : family + u'-' + style)
        if (c.unicode() > 32 && c.unicode() < 127 && !QByteArrayView("()<>[]{}/%#").contains(char(c.unicode())))
            name.append(char(c.unicode()));
    if (whole)
        return name;
    // A subset's name starts with six capitals of its own.
    QByteArray tag(6, 'A');
    for (int i = 5; i >= 0 && index > 0; --i, index /= 26)
        tag[i] = char('A' + index % 26);
    return tag + '+' + name;
}

QByteArray hex4(quint32 value)
{
    return QByteArray::number(value, 16).rightJustified(4, '0').toUpper();
}

QByteArray utf16Hex(char32_t character)
{
    const QString text = QString::fromUcs4(&character, 1);
    QByteArray out;
    for (const QChar c : text)
        out += hex4(c.unicode());
    return out;
}

// Glyphs drawn whose characters the text did not tell (a character and its accent drawn as one
// glyph, say) take the first character that the face's own map gives them.
void fillFromCharacterMap(const QRawFont& raw, const std::vector<bool>& used, std::vector<char32_t>& characters)
{
    bool missing = false;
    for (size_t g = 1; g < used.size() && !missing; ++g)
        missing = used[g] && characters[g] == 0;
    if (!missing)
        return;
    QString all;
    all.reserve(0x10000);
    for (char32_t c = 0x20; c < 0x10000; ++c)
        if (!QChar::isSurrogate(c))
            all.append(QChar(char16_t(c)));
    QList<quint32> glyphs(all.size());
    int count = int(all.size());
    if (!raw.glyphIndexesForChars(all.constData(), count, glyphs.data(), &count))
        return;
    for (int i = 0; i < count; ++i) {
        const quint32 g = glyphs[i];
        if (g != 0 && g < used.size() && used[g] && characters[g] == 0)
            characters[g] = all[i].unicode();
    }
}

QByteArray toUnicodeMap(const std::vector<char32_t>& characters)
{
    std::vector<std::pair<quint32, char32_t>> pairs;
    for (size_t g = 0; g < characters.size(); ++g)
        if (characters[g] != 0)
            pairs.emplace_back(quint32(g), characters[g]);
    QByteArray map = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                     "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                     "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                     "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    for (size_t i = 0; i < pairs.size(); i += 100) {
        const size_t end = qMin(pairs.size(), i + 100);
        map += QByteArray::number(qsizetype(end - i)) + " beginbfchar\n";
        for (size_t k = i; k < end; ++k)
            map += '<' + hex4(pairs[k].first) + "> <" + utf16Hex(pairs[k].second) + ">\n";
        map += "endbfchar\n";
    }
    map += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    return map;
}
} // namespace

PdfFonts::PdfFonts(bool wholeFaces) : m_wholeFaces(wholeFaces)
{
}
PdfFonts::~PdfFonts() = default;

PdfFonts::Sized& PdfFonts::fontFor(PdfFile& file, const QRawFont& raw)
{
    if (m_last && m_last->raw == raw)
        return *m_last;
    for (const auto& sized : m_sized)
        if (sized->raw == raw)
            return *(m_last = sized.get());

    const bool trueType = TrueTypeSubset::canEmbed(raw);
    if ((!trueType && !(m_wholeFaces && CffFontProgram::canEmbed(raw))) || synthesizesStyle(raw))
        throw Unsupported();
    const QByteArray head = raw.fontTable("head");
    Face* face = nullptr;
    for (const auto& known : m_faces)
        if (known->family == raw.familyName() && known->style == raw.styleName() && known->head == head)
            face = known.get();
    if (!face) {
        auto created = std::make_unique<Face>();
        created->family = raw.familyName();
        created->style = raw.styleName();
        created->head = head;
        created->raw = raw;
        created->cff = !trueType;
        const int glyphs = u16(raw.fontTable("maxp"), 4);
        created->used.assign(size_t(glyphs), false);
        created->characters.assign(size_t(glyphs), 0);
        created->charactersSeen.assign(0x10000, false);
        created->descriptor = file.reserve();
        created->program = file.reserve();
        created->toUnicode = file.reserve();
        created->name = postScriptName(created->family, created->style, m_faces.size(), created->cff);
        face = created.get();
        m_faces.push_back(std::move(created));
    }
    auto sized = std::make_unique<Sized>();
    sized->object = file.reserve();
    sized->size = raw.pixelSize();
    sized->face = face;
    sized->raw = raw;
    sized->advances.assign(face->used.size(), -1.f);
    m_last = sized.get();
    m_sized.push_back(std::move(sized));
    return *m_last;
}

float PdfFonts::advance(Sized& font, quint32 glyph)
{
    if (glyph >= font.advances.size())
        return 0;
    float& known = font.advances[glyph];
    if (known < 0) {
        QPointF advance;
        font.raw.advancesForGlyphIndexes(&glyph, &advance, 1);
        known = float(advance.x());
    }
    return known;
}

void PdfFonts::recordGlyphs(Sized& font, const quint32* glyphs, qsizetype count, QStringView text, bool paired)
{
    Face& face = *font.face;
    const qsizetype glyphCount = qsizetype(face.used.size());
    qsizetype characters = 0;
    for (const QChar c : text)
        characters += c.isLowSurrogate() ? 0 : 1;
    if (paired && characters == count) {
        // One glyph for each character, in order.
        qsizetype at = 0;
        for (qsizetype i = 0; i < count; ++i) {
            char32_t character = text[at].unicode();
            if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
                character = QChar::surrogateToUcs4(text[at], text[at + 1]);
                ++at;
            }
            ++at;
            const quint32 glyph = glyphs[i];
            if (qsizetype(glyph) < glyphCount) {
                face.used[glyph] = true;
                if (face.characters[glyph] == 0 && glyph != 0)
                    face.characters[glyph] = character;
            }
        }
        return;
    }
    for (qsizetype i = 0; i < count; ++i)
        if (qsizetype(glyphs[i]) < glyphCount)
            face.used[glyphs[i]] = true;
    // Glyphs and characters do not pair up (ligatures, marks, right to left): each character
    // finds its glyph in the face's own character map.
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text[at];
        const bool pair = c.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
        if (!pair && face.charactersSeen[c.unicode()])
            continue;
        if (!pair)
            face.charactersSeen[c.unicode()] = true;
        quint32 glyph = 0;
        int found = 1;
        face.raw.glyphIndexesForChars(text.data() + at, pair ? 2 : 1, &glyph, &found);
        if (found == 1 && glyph != 0 && qsizetype(glyph) < glyphCount && face.characters[glyph] == 0)
            face.characters[glyph] = pair ? QChar::surrogateToUcs4(c, text[at + 1]) : c.unicode();
        if (pair)
            ++at;
    }
}

bool PdfFonts::needsOpenType() const
{
    return std::any_of(m_faces.begin(), m_faces.end(), [](const auto& face) { return face->cff; });
}

void PdfFonts::write(PdfFile& file)
{
    for (const auto& face : m_faces) {
        if (face->cff) {
            file.writeStream(face->program, " /Subtype /OpenType", CffFontProgram::build(face->raw));
        } else {
            const QByteArray program = TrueTypeSubset::build(face->raw, face->used);
            file.writeStream(face->program, " /Length1 " + QByteArray::number(program.size()), program);
        }
        fillFromCharacterMap(face->raw, face->used, face->characters);
        file.writeStream(face->toUnicode, QByteArray(), toUnicodeMap(face->characters));

        const QByteArray& head = face->head;
        const double unitsPerEm = qMax<int>(16, u16(head, 18));
        auto scaled = [&](int units) {
            QByteArray out;
            PdfFile::appendNumber(out, std::round(units * 1000.0 / unitsPerEm));
            return out;
        };
        const QByteArray hhea = face->raw.fontTable("hhea");
        const QByteArray os2 = face->raw.fontTable("OS/2");
        const QByteArray post = face->raw.fontTable("post");
        const int ascent = s16(hhea, 4);
        const int capHeight = u16(os2, 0) >= 2 && os2.size() >= 90 ? s16(os2, 88) : ascent;
        const double italicAngle = qint32(SfntWriter::read32(post, 4)) / 65536.0;
        QByteArray angle;
        PdfFile::appendNumber(angle, italicAngle);
        // Flags: fixed pitch (1), not symbolic (32), italic (64).
        const int flags = (fixedPitch(post) ? 1 : 0) | 32 | (italicAngle != 0 ? 64 : 0);
        file.writeObject(face->descriptor, "<< /Type /FontDescriptor /FontName /" + face->name +
                                               " /Flags " + QByteArray::number(flags) + " /FontBBox [" +
                                               scaled(s16(head, 36)) + ' ' + scaled(s16(head, 38)) + ' ' +
                                               scaled(s16(head, 40)) + ' ' + scaled(s16(head, 42)) +
                                               "] /ItalicAngle " + angle + " /Ascent " + scaled(ascent) +
                                               " /Descent " + scaled(s16(hhea, 6)) + " /CapHeight " +
                                               scaled(capHeight) + " /StemV 80 " +
                                               (face->cff ? "/FontFile3 " : "/FontFile2 ") +
                                               QByteArray::number(face->program) + " 0 R >>");
    }
    for (const auto& sized : m_sized) {
        // Widths in thousandths of the size, for the glyphs drawn at this size.
        QByteArray widths = "[";
        const std::vector<float>& advances = sized->advances;
        for (size_t g = 0; g < advances.size();) {
            if (advances[g] < 0) {
                ++g;
                continue;
            }
            widths += QByteArray::number(qsizetype(g)) + " [";
            for (; g < advances.size() && advances[g] >= 0; ++g) {
                PdfFile::appendNumber(widths, advances[g] * 1000.0 / sized->size);
                widths += ' ';
            }
            widths += "] ";
        }
        widths += ']';
        const int descendant = file.reserve();
        const Face& face = *sized->face;
        // The glyph numbers are the CIDs: a TrueType font maps them through the identity, a CFF one
        // (not keyed by CID) takes them as they are.
        file.writeObject(descendant, QByteArray("<< /Type /Font /Subtype ") +
                                         (face.cff ? "/CIDFontType0" : "/CIDFontType2") + " /BaseFont /" + face.name +
                                         " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>"
                                         " /FontDescriptor " +
                                         QByteArray::number(face.descriptor) + " 0 R" +
                                         (face.cff ? "" : " /CIDToGIDMap /Identity") + " /W " + widths + " >>");
        file.writeObject(sized->object, "<< /Type /Font /Subtype /Type0 /BaseFont /" + face.name +
                                            " /Encoding /Identity-H /DescendantFonts [" +
                                            QByteArray::number(descendant) + " 0 R] /ToUnicode " +
                                            QByteArray::number(face.toUnicode) + " 0 R >>");
    }
}
