#include "richtext/RtfWriterSink.h"

#include "richtext/DocumentFormat.h"

#include <QIODevice>

#include <algorithm>
#include <utility>

namespace {
// The format as a QTextCharFormat holds it, so that runs join where the document's fragments do.
RtfCharFormat held(RtfCharFormat format)
{
    format.color = format.hasColor ? format.color | 0xff000000u : 0;
    format.verticalShift = format.verticalShift > 0 ? 1 : format.verticalShift < 0 ? -1 : 0;
    return format;
}

// What QTextCursor::insertText turns into a new block.
bool breaksBlock(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return u == u'\n' || u == u'\r' || u == QChar::ParagraphSeparator || u == 0xfdd0 || u == 0xfdd1;
    });
}
} // namespace

RtfWriterSink::RtfWriterSink(QString defaultFace)
    : m_emitter(std::move(defaultFace), DocumentFormat::StandardDefaultTabTwips)
{
}

void RtfWriterSink::defaultTab(int twips)
{
    m_emitter.setDefaultTab(twips > 0 ? twips : DocumentFormat::StandardDefaultTabTwips);
}

void RtfWriterSink::text(QStringView text, const RtfCharFormat& format)
{
    if (breaksBlock(text))
        m_complete = false;
    m_emitter.addRun(text, held(format));
}

void RtfWriterSink::writeParagraph(const RtfParaFormat& format, const RtfCharFormat& mark, bool last)
{
    // Numbered paragraphs in a row are one list, counted from 1.
    if (format.list == RtfParaFormat::List::None) {
        m_listKind = format.list;
    } else if (m_listKind == format.list) {
        ++m_listCount;
    } else {
        m_listKind = format.list;
        ++m_numbering;
        m_listCount = 1;
    }
    RtfParaFormat paragraph = format;
    paragraph.tabs = DocumentFormat::normalizedTabStops(format.tabs);
    m_emitter.endParagraph(paragraph, m_numbering, m_listCount, held(mark), last);
}

void RtfWriterSink::endParagraph(const RtfParaFormat& format, const RtfCharFormat& mark)
{
    writeParagraph(format, mark, false);
}

void RtfWriterSink::finish(const RtfParaFormat& format, const RtfCharFormat& mark)
{
    writeParagraph(format, mark, true);
    m_emitter.finishBody();
    m_header = m_emitter.header();
}

bool RtfWriterSink::write(QIODevice& device)
{
    const QByteArray& body = m_emitter.body();
    return device.write(m_header) == m_header.size() && device.write(body) == body.size();
}

QByteArray RtfWriterSink::takeRtf()
{
    QByteArray rtf = std::move(m_emitter.body());
    rtf.insert(0, m_header);
    return rtf;
}
