#include "richtext/RtfWriter.h"

#include "richtext/DocumentFormat.h"
#include "richtext/ParagraphPieces.h"

#include <QIODevice>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <utility>
#include <vector>

namespace {
struct FontKey {
    QString face;
    int charset;
    int pitch;
    bool operator==(const FontKey&) const = default;
};

int intProperty(const QTextFormat& format, int property, int fallback)
{
    return format.hasProperty(property) ? format.intProperty(property) : fallback;
}

FontKey fontOf(const QTextCharFormat& format, const QString& defaultFace)
{
    const QStringList families = format.fontFamilies().toStringList();
    return {families.isEmpty() || families.first().isEmpty() ? defaultFace : families.first(),
            intProperty(format, DocumentFormat::Charset, 1), intProperty(format, DocumentFormat::Pitch, 0)};
}

struct ListDefinition {
    DocumentFormat::ListKind kind;
    int firstTwips; // \\fi
    int leftTwips;  // \\li
    const QTextList* numbering;
    bool operator==(const ListDefinition&) const = default;
};

class Writer {
public:
    explicit Writer(const QTextDocument& document) : m_document(document) {}
    // The file is header + body.
    struct Parts {
        QByteArray header;
        QByteArray body;
    };
    Parts run();

private:
    int fontIndex(const FontKey& key);
    // The number (\\lsN, from 1) of the list a paragraph's marker is written in.
    int listIndex(const QTextBlock& block);
    int colorIndex(QRgb color);
    void collect();
    void writeHeader(QByteArray& out) const;
    void writeParagraph(const QTextBlock& block, bool last, bool continues, bool continued);
    void writeParagraphFormat(const QTextBlock& block);
    static QTextCharFormat firstRunFormat(const QTextBlock& block);
    void writeTabStops(const TabStops& stops);
    void writeCharFormat(const QTextCharFormat& format);
    void writeText(const QString& text);
    static void appendFaceName(QByteArray& out, const QString& face);

    const QTextDocument& m_document;
    QString m_defaultFace;
    int m_defaultTwips = 240; // the size of text without one of its own
    std::vector<FontKey> m_fonts;
    std::vector<QRgb> m_colors;
    int m_symbolFont = -1;
    bool m_runOpen = false; // the last run written goes on in the next block
    std::vector<ListDefinition> m_lists;
    QByteArray m_body;
};

int Writer::fontIndex(const FontKey& key)
{
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i] == key)
            return int(i);
    }
    m_fonts.push_back(key);
    return int(m_fonts.size() - 1);
}

int Writer::colorIndex(QRgb color)
{
    for (size_t i = 0; i < m_colors.size(); ++i) {
        if (m_colors[i] == color)
            return int(i) + 1; // entry 0 is the automatic colour
    }
    m_colors.push_back(color);
    return int(m_colors.size());
}

void Writer::collect()
{
    const QStringList families = m_document.defaultFont().families();
    m_defaultFace = families.isEmpty() ? m_document.defaultFont().family() : families.first();
    if (m_document.defaultFont().pointSizeF() > 0)
        m_defaultTwips = qRound(m_document.defaultFont().pointSizeF() * DocumentFormat::TwipsPerPoint);
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        fontIndex(fontOf(block.charFormat(), m_defaultFace));
        for (auto it = block.begin(); !it.atEnd(); ++it)
            fontIndex(fontOf(it.fragment().charFormat(), m_defaultFace));
        if (block.textList())
            listIndex(block);
    }
    if (m_fonts.empty())
        fontIndex({m_defaultFace, 1, 0});
    if (!m_lists.empty())
        m_symbolFont = fontIndex({QStringLiteral("Symbol"), 2, 2});
}

int Writer::listIndex(const QTextBlock& block)
{
    const QTextBlockFormat format = block.blockFormat();
    const int offset = intProperty(format, DocumentFormat::LeftOffsetTwips, 0);
    const int left = intProperty(format, DocumentFormat::FirstIndentTwips, 0) + offset;
    const DocumentFormat::ListKind kind = DocumentFormat::listKind(block);
    // Bullets of the same indents share a list; a numbered list keeps its own numbering.
    const ListDefinition definition{kind, -offset, left,
                                    kind == DocumentFormat::ListKind::Numbered ? block.textList() : nullptr};
    for (size_t i = 0; i < m_lists.size(); ++i) {
        if (m_lists[i] == definition)
            return int(i) + 1;
    }
    m_lists.push_back(definition);
    return int(m_lists.size());
}

void Writer::appendFaceName(QByteArray& out, const QString& face)
{
    for (QChar c : face) {
        const char16_t u = c.unicode();
        if (u == u';' || u == u'\\' || u == u'{' || u == u'}' || u >= 0x80 || u < 0x20)
            out += "\\u" + QByteArray::number(qint16(u)) + '?';
        else
            out += char(u);
    }
}

void Writer::writeHeader(QByteArray& out) const
{
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab" +
           QByteArray::number(DocumentFormat::defaultTabTwips(m_document)) + "\\uc1{\\fonttbl";
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        const FontKey& font = m_fonts[i];
        out +=
            "{\\f" + QByteArray::number(qsizetype(i)) + "\\fnil\\fcharset" + QByteArray::number(font.charset);
        if (font.pitch != 0)
            out += "\\fprq" + QByteArray::number(font.pitch);
        out += ' ';
        appendFaceName(out, font.face);
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (QRgb color : m_colors) {
        out += "\\red" + QByteArray::number(qRed(color)) + "\\green" + QByteArray::number(qGreen(color)) +
               "\\blue" + QByteArray::number(qBlue(color)) + ';';
    }
    out += "}\r\n";
    if (!m_lists.empty()) {
        // Word's list tables, one list for each kind and indents the document uses: readers take
        // a list's own indents over the paragraph's.
        QByteArray lists = "{\\*\\listtable";
        QByteArray overrides = "{\\*\\listoverridetable";
        for (size_t i = 0; i < m_lists.size(); ++i) {
            const ListDefinition& list = m_lists[i];
            const QByteArray id = QByteArray::number(qsizetype(i) + 1);
            const QByteArray indents =
                "\\fi" + QByteArray::number(list.firstTwips) + "\\li" + QByteArray::number(list.leftTwips);
            lists += "{\\list\\listtemplateid" + id + "\\listsimple{\\listlevel";
            if (list.kind == DocumentFormat::ListKind::Bullet)
                lists += "\\levelnfc23\\leveljc0\\levelfollow0\\levelstartat1{\\leveltext\\'01\\'b7;}{\\levelnumbers;}\\f" +
                         QByteArray::number(m_symbolFont);
            else
                lists += "\\levelnfc0\\leveljc0\\levelfollow0\\levelstartat1{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}";
            lists += indents + "}{\\listname ;}\\listid" + id + "}";
            overrides += "{\\listoverride\\listid" + id + "\\listoverridecount0\\ls" + id + "}";
        }
        out += lists + "}\r\n" + overrides + "}\r\n";
    }
    out += "\\viewkind4\\uc1\r\n";
}

void Writer::writeTabStops(const TabStops& stops)
{
    QByteArray& out = m_body;
    for (const TabStop& stop : stops) {
        switch (stop.leader) {
        case TabStop::Leader::None:
            break;
        case TabStop::Leader::Dots:
            out += "\\tldot";
            break;
        case TabStop::Leader::Hyphens:
            out += "\\tlhyph";
            break;
        case TabStop::Leader::Underline:
            out += "\\tlul";
            break;
        case TabStop::Leader::ThickLine:
            out += "\\tlth";
            break;
        case TabStop::Leader::Equals:
            out += "\\tleq";
            break;
        }
        switch (stop.alignment) {
        case TabStop::Alignment::Left:
            break;
        case TabStop::Alignment::Right:
            out += "\\tqr";
            break;
        case TabStop::Alignment::Center:
            out += "\\tqc";
            break;
        case TabStop::Alignment::Decimal:
            out += "\\tqdec";
            break;
        }
        out += "\\tx" + QByteArray::number(stop.positionTwips);
    }
}

void Writer::writeCharFormat(const QTextCharFormat& format)
{
    QByteArray& out = m_body;
    out += "\\f" + QByteArray::number(fontIndex(fontOf(format, m_defaultFace)));
    const int twips =
        format.hasProperty(QTextFormat::FontPointSize) ? DocumentFormat::sizeTwips(format) : m_defaultTwips;
    out += "\\fs" + QByteArray::number(qMax(1, (twips + 5) / 10));
    if (format.fontWeight() >= QFont::DemiBold)
        out += "\\b";
    if (format.fontItalic())
        out += "\\i";
    if (format.fontUnderline())
        out += "\\ul";
    if (format.fontStrikeOut())
        out += "\\strike";
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        out += "\\super";
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        out += "\\sub";
    const QBrush foreground = format.foreground();
    if (foreground.style() != Qt::NoBrush)
        out += "\\cf" + QByteArray::number(colorIndex(foreground.color().rgb()));
    out += ' ';
}

void Writer::writeText(const QString& text)
{
    QByteArray& out = m_body;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'\\':
            out += "\\\\";
            break;
        case u'{':
            out += "\\{";
            break;
        case u'}':
            out += "\\}";
            break;
        case u'\t':
            out += "\\tab ";
            break;
        case QChar::LineSeparator:
        case u'\n':
            out += "\\line ";
            break;
        case QChar::Nbsp:
            out += "\\~";
            break;
        default:
            if (u >= 0x20 && u < 0x80) {
                out += char(u);
            } else if (u >= 0x80) {
                // Readers that do not know \u show the Latin-1 byte or a question mark.
                out += "\\u" + QByteArray::number(qint16(u));
                if (u < 0x100 && u >= 0xA0)
                    out += "\\'" + QByteArray::number(int(u), 16);
                else
                    out += '?';
            }
            break;
        }
    }
}

// A block that continues the paragraph before it (continues) only adds its runs; one that is
// continued by the next writes no paragraph mark.
void Writer::writeParagraph(const QTextBlock& block, bool last, bool continues, bool continued)
{
    QByteArray& out = m_body;
    if (!continues)
        writeParagraphFormat(block);
    // Each run is a group of its own, so no reader has to undo the previous run's format; a run
    // that goes on in the next piece of the paragraph stays one group.
    for (auto it = block.begin(); !it.atEnd();) {
        const QTextFragment fragment = it.fragment();
        if (!m_runOpen) {
            out += '{';
            writeCharFormat(fragment.charFormat());
        }
        writeText(fragment.text());
        ++it;
        m_runOpen = it.atEnd() && continued && block.next().length() > 1 &&
                    firstRunFormat(block.next()) == fragment.charFormat();
        if (!m_runOpen)
            out += '}';
    }
    if (continued)
        return;
    // The paragraph mark has a format too (what typing in an empty paragraph uses); the last
    // paragraph has no mark, and its format is the one in force where the document ends.
    if (last) {
        out += "\\plain";
        writeCharFormat(block.charFormat());
    } else {
        out += '{';
        writeCharFormat(block.charFormat());
        out += "\\par}\r\n";
    }
}

QTextCharFormat Writer::firstRunFormat(const QTextBlock& block)
{
    const auto first = block.begin();
    return first.atEnd() ? QTextCharFormat() : first.fragment().charFormat();
}

void Writer::writeParagraphFormat(const QTextBlock& block)
{
    QByteArray& out = m_body;
    const QTextBlockFormat format = block.blockFormat();
    out += "\\pard";
    if (const QTextList* list = block.textList()) {
        // Word's lists (\\ls with the list tables), which LibreOffice and AbiWord read, and the
        // marker as text for readers that know no lists.
        const QByteArray ls = "\\ls" + QByteArray::number(listIndex(block));
        if (DocumentFormat::listKind(block) == DocumentFormat::ListKind::Bullet)
            out += "{\\listtext\\f" + QByteArray::number(m_symbolFont) + "\\'b7\\tab}" + ls;
        else
            out += "{\\listtext " + QByteArray::number(list->itemNumber(block) + 1) + ".\\tab}" + ls;
    }
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignRight)
        out += "\\qr";
    else if (align & Qt::AlignHCenter)
        out += "\\qc";
    else if (align & Qt::AlignJustify)
        out += "\\qj";
    const int first = intProperty(format, DocumentFormat::FirstIndentTwips, 0);
    const int offset = intProperty(format, DocumentFormat::LeftOffsetTwips, 0);
    const int right = intProperty(format, DocumentFormat::RightIndentTwips, 0);
    out += "\\fi" + QByteArray::number(-offset) + "\\li" + QByteArray::number(first + offset);
    if (right != 0)
        out += "\\ri" + QByteArray::number(right);
    writeTabStops(DocumentFormat::tabStops(format));
}

Writer::Parts Writer::run()
{
    collect();
    m_body.reserve(m_document.characterCount() * 2 + 1024);
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        // The first block continues nothing, whatever a copied selection brought along.
        writeParagraph(block, !next.isValid(), block != m_document.begin() && ParagraphPieces::continues(block),
                       next.isValid() && ParagraphPieces::continues(next));
    }
    m_body += "\r\n}\r\n";
    // The colours are known only once the body is written, so the header comes second.
    QByteArray header;
    writeHeader(header);
    return {header, std::move(m_body)};
}
} // namespace

QByteArray RtfWriter::toRtf(const QTextDocument& document)
{
    Writer::Parts parts = Writer(document).run();
    // In place: a large document's text is not held twice.
    parts.body.insert(0, parts.header);
    return std::move(parts.body);
}

bool RtfWriter::write(const QTextDocument& document, QIODevice& device)
{
    // Written in two parts, so that a large document's text is never copied once more in memory.
    const Writer::Parts parts = Writer(document).run();
    return device.write(parts.header) == parts.header.size() && device.write(parts.body) == parts.body.size();
}
