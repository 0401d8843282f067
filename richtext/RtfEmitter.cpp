#include "richtext/RtfEmitter.h"

#include <QFont>
#include <QTextCharFormat>

#include <algorithm>
#include <utility>

RtfEmitter::RtfEmitter(QString defaultFace, int defaultTabTwips)
    : m_defaultFace(std::move(defaultFace)), m_defaultTab(defaultTabTwips)
{
}

QString RtfEmitter::defaultFace(const QFont& font)
{
    const QStringList families = font.families();
    return families.isEmpty() ? font.family() : families.first();
}

namespace {
int intProperty(const QTextFormat& format, int property, int fallback)
{
    return format.hasProperty(property) ? format.intProperty(property) : fallback;
}
} // namespace

RtfCharFormat RtfEmitter::charFormatOf(const QTextCharFormat& format, int defaultTwips)
{
    RtfCharFormat result;
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty())
        result.face = families.first();
    result.charset = intProperty(format, DocumentFormat::Charset, 1);
    result.pitch = intProperty(format, DocumentFormat::Pitch, 0);
    result.sizeTwips =
        format.hasProperty(QTextFormat::FontPointSize) ? DocumentFormat::sizeTwips(format) : defaultTwips;
    result.bold = format.fontWeight() >= QFont::DemiBold;
    result.italic = format.fontItalic();
    result.underline = format.fontUnderline();
    result.strikeOut = format.fontStrikeOut();
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        result.verticalShift = 1;
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        result.verticalShift = -1;
    const QBrush foreground = format.foreground();
    result.hasColor = foreground.style() != Qt::NoBrush;
    if (result.hasColor)
        result.color = foreground.color().rgb();
    return result;
}

RtfParaFormat RtfEmitter::paragraphFormatOf(const QTextBlockFormat& format, DocumentFormat::ListKind list)
{
    RtfParaFormat result;
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignRight)
        result.align = RtfParaFormat::Align::Right;
    else if (align & Qt::AlignHCenter)
        result.align = RtfParaFormat::Align::Center;
    else if (align & Qt::AlignJustify)
        result.align = RtfParaFormat::Align::Justify;
    switch (list) {
    case DocumentFormat::ListKind::None:
        break;
    case DocumentFormat::ListKind::Bullet:
        result.list = RtfParaFormat::List::Bullet;
        break;
    case DocumentFormat::ListKind::Numbered:
        result.list = RtfParaFormat::List::Numbered;
        break;
    }
    result.firstIndentTwips = intProperty(format, DocumentFormat::FirstIndentTwips, 0);
    result.leftOffsetTwips = intProperty(format, DocumentFormat::LeftOffsetTwips, 0);
    result.rightIndentTwips = intProperty(format, DocumentFormat::RightIndentTwips, 0);
    result.tabs = DocumentFormat::tabStops(format);
    return result;
}

RtfEmitter::Face RtfEmitter::faceOf(const RtfCharFormat& format) const
{
    return {format.face.isEmpty() ? m_defaultFace : format.face, format.charset, format.pitch};
}

int RtfEmitter::faceIndex(const Face& face)
{
    if (const auto found = m_faceIndex.constFind(face); found != m_faceIndex.cend())
        return *found;
    m_faceIndex.insert(face, int(m_faces.size()));
    m_faces.push_back(face);
    return int(m_faces.size() - 1);
}

void RtfEmitter::addFace(const RtfCharFormat& format)
{
    faceIndex(faceOf(format));
}

int RtfEmitter::colorIndex(QRgb color)
{
    color |= 0xff000000u; // colours are opaque in RTF
    if (const auto found = m_colorIndex.constFind(color); found != m_colorIndex.cend())
        return *found;
    m_colors.push_back(color);
    m_colorIndex.insert(color, int(m_colors.size())); // entry 0 is the automatic colour
    return int(m_colors.size());
}

int RtfEmitter::listIndex(const RtfParaFormat& format, quintptr numbering)
{
    const bool bullet = format.list == RtfParaFormat::List::Bullet;
    const ListDefinition definition{format.list, -format.leftOffsetTwips,
                                    format.firstIndentTwips + format.leftOffsetTwips, bullet ? 0 : numbering};
    if (const auto found = m_listIndex.constFind(definition); found != m_listIndex.cend())
        return *found;
    if (bullet && m_symbolFace < 0)
        m_symbolFace = faceIndex({QStringLiteral("Symbol"), 2, 2});
    m_lists.push_back(definition);
    m_listIndex.insert(definition, int(m_lists.size()));
    return int(m_lists.size());
}

void RtfEmitter::addList(const RtfParaFormat& format, quintptr numbering)
{
    if (format.list != RtfParaFormat::List::None)
        listIndex(format, numbering);
}

void RtfEmitter::appendFaceName(QByteArray& out, const QString& face)
{
    for (QChar c : face) {
        const char16_t u = c.unicode();
        if (u == u';' || u == u'\\' || u == u'{' || u == u'}' || u >= 0x80 || u < 0x20)
            out += "\\u" + QByteArray::number(qint16(u)) + '?';
        else
            out += char(u);
    }
}

QByteArray RtfEmitter::header()
{
    if (m_faces.empty())
        faceIndex({m_defaultFace, 1, 0});
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab" + QByteArray::number(m_defaultTab) +
                     "\\uc1{\\fonttbl";
    for (size_t i = 0; i < m_faces.size(); ++i) {
        const Face& face = m_faces[i];
        out += "{\\f" + QByteArray::number(qsizetype(i)) + "\\fnil\\fcharset" + QByteArray::number(face.charset);
        if (face.pitch != 0)
            out += "\\fprq" + QByteArray::number(face.pitch);
        out += ' ';
        appendFaceName(out, face.name);
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
            if (list.kind == RtfParaFormat::List::Bullet)
                lists += "\\levelnfc23\\leveljc0\\levelfollow0\\levelstartat1{\\leveltext\\'01\\'b7;}{\\levelnumbers;}\\f" +
                         QByteArray::number(m_symbolFace);
            else
                lists += "\\levelnfc0\\leveljc0\\levelfollow0\\levelstartat1{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}";
            lists += indents + "}{\\listname ;}\\listid" + id + "}";
            overrides += "{\\listoverride\\listid" + id + "\\listoverridecount0\\ls" + id + "}";
        }
        out += lists + "}\r\n" + overrides + "}\r\n";
    }
    out += "\\viewkind4\\uc1\r\n";
    return out;
}

void RtfEmitter::tabStops(const TabStops& stops)
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

void RtfEmitter::paragraphFormat(const RtfParaFormat& format, quintptr numbering, int number)
{
    QByteArray& out = m_body;
    out += "\\pard";
    if (format.list != RtfParaFormat::List::None) {
        // Word's lists (\\ls with the list tables), which LibreOffice and AbiWord read, and the
        // marker as text for readers that know no lists.
        const QByteArray ls = "\\ls" + QByteArray::number(listIndex(format, numbering));
        if (format.list == RtfParaFormat::List::Bullet)
            out += "{\\listtext\\f" + QByteArray::number(m_symbolFace) + "\\'b7\\tab}" + ls;
        else
            out += "{\\listtext " + QByteArray::number(number) + ".\\tab}" + ls;
    }
    switch (format.align) {
    case RtfParaFormat::Align::Left:
        break;
    case RtfParaFormat::Align::Right:
        out += "\\qr";
        break;
    case RtfParaFormat::Align::Center:
        out += "\\qc";
        break;
    case RtfParaFormat::Align::Justify:
        out += "\\qj";
        break;
    }
    out += "\\fi" + QByteArray::number(-format.leftOffsetTwips) + "\\li" +
           QByteArray::number(format.firstIndentTwips + format.leftOffsetTwips);
    if (format.rightIndentTwips != 0)
        out += "\\ri" + QByteArray::number(format.rightIndentTwips);
    tabStops(format.tabs);
}

void RtfEmitter::charFormat(const RtfCharFormat& format)
{
    constexpr size_t Kept = 16;
    auto found = std::find_if(m_written.begin(), m_written.end(),
                              [&](const std::pair<RtfCharFormat, QByteArray>& kept) { return kept.first == format; });
    if (found == m_written.end()) {
        QByteArray out = "\\f" + QByteArray::number(faceIndex(faceOf(format)));
        out += "\\fs" + QByteArray::number(qMax(1, (format.sizeTwips + 5) / 10));
        if (format.bold)
            out += "\\b";
        if (format.italic)
            out += "\\i";
        if (format.underline)
            out += "\\ul";
        if (format.strikeOut)
            out += "\\strike";
        if (format.verticalShift > 0)
            out += "\\super";
        else if (format.verticalShift < 0)
            out += "\\sub";
        if (format.hasColor)
            out += "\\cf" + QByteArray::number(colorIndex(format.color));
        out += ' ';
        if (m_written.size() == Kept)
            m_written.pop_back();
        m_written.emplace_back(format, std::move(out));
        found = m_written.end() - 1;
    }
    std::rotate(m_written.begin(), found, found + 1);
    m_body += m_written.front().second;
}

void RtfEmitter::appendText(QByteArray& out, QStringView text)
{
    const auto plain = [](char16_t u) { return u >= 0x20 && u < 0x80 && u != u'\\' && u != u'{' && u != u'}'; };
    const char16_t* at = text.utf16();
    const char16_t* const end = at + text.size();
    while (at < end) {
        // Most text is plain ASCII, copied a stretch at a time.
        const char16_t* stretch = at;
        while (stretch < end && plain(*stretch))
            ++stretch;
        if (stretch > at) {
            const qsizetype from = out.size();
            out.resize(from + (stretch - at));
            std::copy(at, stretch, out.data() + from);
            at = stretch;
            continue;
        }
        const char16_t u = *at++;
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
            if (u >= 0x80) {
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

void RtfEmitter::paragraphEnd(const RtfCharFormat& mark, bool last)
{
    if (last) {
        m_body += "\\plain";
        charFormat(mark);
    } else {
        m_body += '{';
        charFormat(mark);
        m_body += "\\par}\r\n";
    }
}

void RtfEmitter::addRun(QStringView text, const RtfCharFormat& format)
{
    if (text.isEmpty())
        return;
    if (m_runs.empty() || !(m_runs.back().format == format))
        m_runs.push_back({format, 0});
    appendText(m_runText, text);
    m_runs.back().end = m_runText.size();
}

void RtfEmitter::endParagraph(const RtfParaFormat& format, quintptr numbering, int number,
                              const RtfCharFormat& mark, bool last)
{
    addFace(mark);
    for (const Run& run : m_runs)
        addFace(run.format);
    paragraphFormat(format, numbering, number);
    qsizetype start = 0;
    for (const Run& run : m_runs) {
        m_body += '{';
        charFormat(run.format);
        m_body.append(m_runText.constData() + start, run.end - start);
        m_body += '}';
        start = run.end;
    }
    m_runs.clear();
    m_runText.resize(0); // keeps its room for the next paragraph
    paragraphEnd(mark, last);
}

void RtfEmitter::finishBody()
{
    m_body += "\r\n}\r\n";
}
