#include "richtext/DocumentSnapshot.h"

#include "richtext/DocumentDefaults.h"
#include "richtext/DocumentFormat.h"
#include "richtext/ParagraphPieces.h"
#include "richtext/RtfEmitter.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>

#include <algorithm>
#include <iterator>

namespace {
// Formats refer to the objects (lists, frames) of their own document by number; a copy for
// another document must not.
template <typename Format> Format withoutObject(Format format)
{
    if (format.hasProperty(QTextFormat::ObjectIndex))
        format.clearProperty(QTextFormat::ObjectIndex);
    return format;
}
} // namespace

DocumentSnapshot::DocumentSnapshot(const QTextDocument& source) : m_source(source)
{
    source.documentLayout();
}

int DocumentSnapshot::listIndex(int objectIndex, const QTextListFormat& format)
{
    for (int i = 0; i < m_lists.size(); ++i) {
        if (m_lists[i].objectIndex == objectIndex)
            return i;
    }
    m_lists.append({objectIndex, withoutObject(format)});
    return int(m_lists.size() - 1);
}

bool DocumentSnapshot::copyMore(QDeadlineTimer deadline)
{
    if (m_complete)
        return true;
    QTextBlock block = m_source.findBlock(m_copiedTo);
    // Checking the clock costs more than a short paragraph: look at it every few paragraphs.
    for (int count = 0; block.isValid(); block = block.next(), ++count) {
        if (count % 16 == 15 && deadline.hasExpired())
            return false;
        Paragraph paragraph;
        paragraph.position = block.position();
        paragraph.length = block.length();
        paragraph.format = withoutObject(block.blockFormat());
        paragraph.charFormat = withoutObject(block.charFormat());
        if (const QTextList* list = block.textList())
            paragraph.list = listIndex(list->objectIndex(), list->format());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            paragraph.fragments.append({fragment.text(), withoutObject(fragment.charFormat())});
        }
        m_copiedTo = paragraph.position + paragraph.length;
        m_paragraphs.append(std::move(paragraph));
    }
    m_rootFormat = withoutObject(m_source.rootFrame()->frameFormat());
    m_complete = true;
    return true;
}

void DocumentSnapshot::sourceChanged(int position)
{
    if (position >= m_copiedTo)
        return; // not copied yet: it is read as it is now
    // The paragraphs from the one holding position on are copied again. Freeing them here, on
    // the editor's thread, would hold up the key that made the change (a million strings for an
    // edit near the start of a large document): they are kept until toRtf(), which runs on the
    // thread that writes the copy.
    const auto firstChanged =
        std::upper_bound(m_paragraphs.begin(), m_paragraphs.end(), position,
                         [](int at, const Paragraph& paragraph) { return at < paragraph.position + paragraph.length; });
    m_dropped.reserve(m_dropped.size() + (m_paragraphs.end() - firstChanged));
    std::move(firstChanged, m_paragraphs.end(), std::back_inserter(m_dropped));
    m_paragraphs.erase(firstChanged, m_paragraphs.end());
    m_copiedTo =
        m_paragraphs.isEmpty() ? 0 : m_paragraphs.constLast().position + m_paragraphs.constLast().length;
    m_complete = false;
}

std::optional<QByteArray> DocumentSnapshot::toRtf(const QTextCharFormat& defaults, const std::atomic_bool& cancelled)
{
    m_dropped = {};
    // As a save writes the built document: its default font is the defaults' font, and when the
    // defaults hold more than a face and a size, every format is resolved against them.
    const QFont font = DocumentDefaults::defaultFont(defaults, QTextDocument().defaultFont());
    const int defaultTwips =
        font.pointSizeF() > 0 ? qRound(font.pointSizeF() * DocumentFormat::TwipsPerPoint) : 240;
    const bool resolve = DocumentDefaults::beyondDefaultFont(defaults);
    const int tab = m_rootFormat.intProperty(DocumentFormat::DefaultTabTwips);
    RtfEmitter emitter(RtfEmitter::defaultFace(font), tab > 0 ? tab : DocumentFormat::StandardDefaultTabTwips);

    // The formats met last, converted: a document goes back and forth between a few.
    std::vector<std::pair<QTextCharFormat, RtfCharFormat>> converted;
    const auto rtfFormat = [&](const QTextCharFormat& format) -> const RtfCharFormat& {
        auto found = std::find_if(converted.begin(), converted.end(),
                                  [&](const auto& kept) { return kept.first == format; });
        if (found == converted.end()) {
            if (converted.size() == 16)
                converted.pop_back();
            converted.emplace_back(format, RtfEmitter::charFormatOf(
                                               resolve ? DocumentDefaults::resolved(defaults, format) : format,
                                               defaultTwips));
            found = converted.end() - 1;
        }
        std::rotate(converted.begin(), found, found + 1);
        return converted.front().second;
    };

    if (m_paragraphs.isEmpty())
        emitter.endParagraph(RtfParaFormat(), 0, 0, rtfFormat(QTextCharFormat()), true);
    std::vector<int> listCounts(size_t(m_lists.size()), 0);
    RtfParaFormat paragraph;
    quintptr numbering = 0;
    int number = 0;
    for (qsizetype i = 0; i < m_paragraphs.size(); ++i) {
        if (cancelled)
            return std::nullopt;
        Paragraph& piece = m_paragraphs[i];
        // A block that continues the paragraph before it only adds its runs.
        if (i == 0 || !ParagraphPieces::continues(piece.format)) {
            DocumentFormat::ListKind kind = DocumentFormat::ListKind::None;
            numbering = 0;
            number = 0;
            if (piece.list >= 0) {
                kind = DocumentFormat::listKind(m_lists[piece.list].format.style());
                numbering = quintptr(piece.list) + 1;
                number = ++listCounts[size_t(piece.list)];
            }
            paragraph = RtfEmitter::paragraphFormatOf(piece.format, kind);
        }
        for (const Fragment& fragment : piece.fragments)
            emitter.addRun(fragment.text, rtfFormat(fragment.format));
        piece.fragments = {}; // the copy gives its memory back as it goes
        const bool last = i + 1 == m_paragraphs.size();
        if (last || !ParagraphPieces::continues(m_paragraphs[i + 1].format))
            emitter.endParagraph(paragraph, numbering, number, rtfFormat(piece.charFormat), last);
    }
    emitter.finishBody();
    QByteArray rtf = std::move(emitter.body());
    rtf.insert(0, emitter.header());
    return rtf;
}
