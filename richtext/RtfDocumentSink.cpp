#include "richtext/RtfDocumentSink.h"

#include "richtext/DocumentFormat.h"
#include "richtext/ParagraphLayout.h"
#include "richtext/ParagraphPieces.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>

RtfDocumentSink::RtfDocumentSink(QTextDocument& document)
    : m_document(document), m_undoWasEnabled(document.isUndoRedoEnabled()),
      m_defaultTab(DocumentFormat::StandardDefaultTabTwips)
{
    m_document.setUndoRedoEnabled(false);
    m_document.clear();
    DocumentFormat::setDefaultTabTwips(m_document, m_defaultTab);
    m_cursor = QTextCursor(&m_document);
    // One edit block: the document reports (and its layout follows) one change at the end
    // rather than one for every insertion.
    m_cursor.beginEditBlock();
}

RtfDocumentSink::~RtfDocumentSink()
{
    m_cursor.endEditBlock();
    m_document.setUndoRedoEnabled(m_undoWasEnabled);
}

QTextCharFormat RtfDocumentSink::toCharFormat(const RtfCharFormat& format)
{
    QTextCharFormat result;
    if (!format.face.isEmpty())
        result.setFontFamilies(QStringList{format.face});
    result.setProperty(DocumentFormat::Charset, format.charset);
    result.setProperty(DocumentFormat::Pitch, format.pitch);
    DocumentFormat::setSizeTwips(result, format.sizeTwips);
    result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.italic);
    result.setFontUnderline(format.underline);
    result.setFontStrikeOut(format.strikeOut);
    if (format.hasColor)
        result.setForeground(QColor::fromRgb(format.color));
    if (format.verticalShift > 0)
        result.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (format.verticalShift < 0)
        result.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    return result;
}

const QTextCharFormat& RtfDocumentSink::cached(const RtfCharFormat& format)
{
    // Few enough to search one by one; a document with more formats than this builds the rarer
    // ones again.
    constexpr size_t Kept = 64;
    auto found = std::find_if(m_formats.begin(), m_formats.end(),
                              [&](const std::pair<RtfCharFormat, QTextCharFormat>& kept) { return kept.first == format; });
    if (found == m_formats.end()) {
        if (m_formats.size() == Kept)
            m_formats.pop_back();
        m_formats.emplace_back(format, toCharFormat(format));
        found = m_formats.end() - 1;
    }
    std::rotate(m_formats.begin(), found, found + 1);
    return m_formats.front().second;
}

void RtfDocumentSink::defaultTab(int twips)
{
    m_defaultTab = twips;
    DocumentFormat::setDefaultTabTwips(m_document, twips);
    m_lastMarkerWidth = -1;
}

void RtfDocumentSink::text(QStringView text, const RtfCharFormat& format)
{
    if (m_firstRunSize < 0)
        m_firstRunSize = format.sizeTwips;
    // The cursor copies the text into the document: no copy of our own is needed.
    m_cursor.insertText(QString::fromRawData(text.data(), text.size()), cached(format));
}

const QTextBlockFormat& RtfDocumentSink::blockFormat(const RtfParaFormat& format,
                                                     const ParagraphLayout::Marker& marker, bool pointAfterTab)
{
    if (marker.widthTwips() == m_lastMarkerWidth && pointAfterTab == m_lastPointAfterTab &&
        format == m_lastParagraph)
        return m_lastBlockFormat;
    QTextBlockFormat block;
    switch (format.align) {
    case RtfParaFormat::Align::Left:
        block.setAlignment(Qt::AlignLeft);
        break;
    case RtfParaFormat::Align::Right:
        block.setAlignment(Qt::AlignRight);
        break;
    case RtfParaFormat::Align::Center:
        block.setAlignment(Qt::AlignHCenter);
        break;
    case RtfParaFormat::Align::Justify:
        block.setAlignment(Qt::AlignJustify);
        break;
    }
    DocumentFormat::setIndents(block, format.firstIndentTwips, format.leftOffsetTwips, format.rightIndentTwips);
    DocumentFormat::setTabStops(block, format.tabs);
    ParagraphLayout::apply(block, marker, m_defaultTab, DocumentFormat::ScreenDpi, pointAfterTab);
    m_lastParagraph = format;
    m_lastPointAfterTab = pointAfterTab;
    m_lastMarkerWidth = marker.widthTwips();
    m_lastBlockFormat = block;
    m_lastBlockFormatChanged = true;
    return m_lastBlockFormat;
}

void RtfDocumentSink::applyParagraph(const RtfParaFormat& format, const RtfCharFormat& mark)
{
    ParagraphLayout::Marker marker;
    if (format.list != RtfParaFormat::List::None) {
        const bool continues = m_list && m_listKind == format.list;
        marker.kind = format.list == RtfParaFormat::List::Bullet ? DocumentFormat::ListKind::Bullet
                                                                 : DocumentFormat::ListKind::Numbered;
        marker.number = continues ? m_listItems + 1 : 1;
        marker.sizeTwips = m_firstRunSize >= 0 ? m_firstRunSize : mark.sizeTwips;
    }
    const bool decimal = std::any_of(format.tabs.begin(), format.tabs.end(), [](const TabStop& stop) {
        return stop.alignment == TabStop::Alignment::Decimal;
    });
    const QTextBlockFormat& wanted =
        blockFormat(format, marker, decimal && ParagraphLayout::hasPointAfterTab(m_cursor.block().text()));
    // Most paragraphs are formatted like the one before, whose formats the block was given.
    if (!m_blockHasLastFormats || m_lastBlockFormatChanged)
        m_cursor.setBlockFormat(wanted);
    if (!m_blockHasLastFormats || !(mark == m_lastMark)) {
        m_cursor.setBlockCharFormat(cached(mark));
        m_lastMark = mark;
    }
    m_blockHasLastFormats = false;
    m_lastBlockFormatChanged = false;
    m_firstRunSize = -1;

    if (format.list == RtfParaFormat::List::None) {
        m_list = nullptr;
        m_listKind = format.list;
        m_listItems = 0;
        return;
    }
    const bool bullet = format.list == RtfParaFormat::List::Bullet;
    const bool continues = m_list && m_listKind == format.list;
    const int longest = bullet ? DocumentFormat::BulletsPerList : DocumentFormat::NumbersPerList;
    if (continues && m_list->count() < longest) {
        m_list->add(m_cursor.block());
        ++m_listItems;
        return;
    }
    QTextListFormat listFormat;
    listFormat.setStyle(bullet ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal);
    listFormat.setIndent(0); // the paragraph's own indents place the marker and the text
    if (continues && !bullet)
        listFormat.setProperty(DocumentFormat::ContinuesNumbering, true);
    m_list = m_cursor.createList(listFormat);
    m_listKind = format.list;
    m_listItems = continues ? m_listItems + 1 : 1;
}

void RtfDocumentSink::endParagraph(const RtfParaFormat& format, const RtfCharFormat& mark)
{
    applyParagraph(format, mark);
    // The next paragraph's formats are set when it ends: giving the new block some formats here
    // spares the cursor looking up the current ones in the document, which costs more as the
    // document grows.
    m_cursor.insertBlock(m_lastBlockFormat, cached(mark));
    m_blockHasLastFormats = true;
}

void RtfDocumentSink::finish(const RtfParaFormat& format, const RtfCharFormat& mark)
{
    applyParagraph(format, mark);
    ParagraphPieces::cutLongParagraphs(m_document);
}
