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
#include <limits>
#include <optional>
#include <vector>

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

DocumentSnapshot::DocumentSnapshot(const QTextDocument& source, int from, int to) : m_source(source)
{
    m_text.reserve(qMax(0, to - from));
    // A selection that ends where a paragraph starts holds the break before it, so it ends in
    // that paragraph, empty: the copy's last paragraph is the one after the break.
    for (QTextBlock block = source.findBlock(from); block.isValid() && block.position() <= to; block = block.next())
        append(block, from, to);
    m_rootFormat = withoutObject(source.rootFrame()->frameFormat());
    m_copiedTo = to;
    m_complete = true;
}

template <typename Format>
int DocumentSnapshot::intern(QList<Format>& formats, QHash<int, int>& bySourceIndex, int sourceIndex,
                             const Format& format)
{
    const auto found = bySourceIndex.constFind(sourceIndex);
    if (found != bySourceIndex.cend() && formats[*found] == format)
        return *found;
    const int index = int(formats.size());
    formats.append(format);
    bySourceIndex.insert(sourceIndex, index);
    return index;
}

int DocumentSnapshot::listIndex(int objectIndex, const QTextListFormat& format)
{
    const auto found = m_listOf.constFind(objectIndex);
    if (found != m_listOf.cend())
        return *found;
    m_lists.append(withoutObject(format));
    m_listOf.insert(objectIndex, int(m_lists.size() - 1));
    return int(m_lists.size() - 1);
}

bool DocumentSnapshot::copyMore(QDeadlineTimer deadline)
{
    if (m_complete)
        return true;
    if (m_paragraphs.isEmpty()) {
        // Reserved once from the document's size: growing the arrays would copy them again and
        // again, and a reservation not yet written takes no memory.
        m_paragraphs.reserve(m_source.blockCount());
        m_runs.reserve(m_source.blockCount());
        m_text.reserve(m_source.characterCount());
    }
    QTextBlock block = m_source.findBlock(m_copiedTo);
    // Checking the clock costs more than a short paragraph: look at it every few paragraphs.
    for (int count = 0; block.isValid(); block = block.next(), ++count) {
        if (count % 16 == 15 && deadline.hasExpired())
            return false;
        append(block, 0, std::numeric_limits<int>::max());
        m_copiedTo = m_paragraphs.constLast().position + m_paragraphs.constLast().length;
    }
    m_rootFormat = withoutObject(m_source.rootFrame()->frameFormat());
    m_complete = true;
    return true;
}

void DocumentSnapshot::append(const QTextBlock& block, int from, int to)
{
    Paragraph paragraph;
    paragraph.position = block.position();
    paragraph.length = block.length();
    paragraph.blockFormat = intern(m_blockFormats, m_blockFormatOf, block.blockFormatIndex(), block.blockFormat());
    paragraph.charFormat = intern(m_charFormats, m_charFormatOf, block.charFormatIndex(), block.charFormat());
    if (const QTextList* list = block.textList())
        paragraph.list = listIndex(list->objectIndex(), list->format());
    paragraph.firstRun = int(m_runs.size());
    paragraph.textStart = m_text.size();
    // A run's position is counted on from the block's: asking a fragment for it searches the
    // document, and a document of short paragraphs is mostly such lookups.
    int position = paragraph.position;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const int runStart = position;
        position += fragment.length();
        const int start = qMax(from, runStart);
        const int end = qMin(to, position);
        if (start >= end)
            continue;
        const int format = intern(m_charFormats, m_charFormatOf, fragment.charFormatIndex(), fragment.charFormat());
        if (end - start == fragment.length())
            m_text += fragment.text();
        else
            m_text += QStringView(fragment.text()).sliced(start - runStart, end - start);
        m_runs.append({end - start, format});
    }
    m_paragraphs.append(paragraph);
}

void DocumentSnapshot::sourceChanged(int position)
{
    if (position >= m_copiedTo)
        return; // not copied yet: it is read as it is now
    // The paragraphs from the one holding position on are copied again; their records are
    // overwritten, so this costs nothing however much of the copy it drops.
    const auto firstChanged = std::upper_bound(
        m_paragraphs.cbegin(), m_paragraphs.cend(), position,
        [](int at, const Paragraph& paragraph) { return at < paragraph.position + paragraph.length; });
    if (firstChanged != m_paragraphs.cend()) {
        m_runs.resize(firstChanged->firstRun);
        m_text.truncate(firstChanged->textStart);
        m_paragraphs.resize(firstChanged - m_paragraphs.cbegin());
    }
    if (m_paragraphs.isEmpty()) {
        // The source may have been cleared, which numbers its lists anew.
        m_lists.clear();
        m_listOf.clear();
    }
    m_copiedTo =
        m_paragraphs.isEmpty() ? 0 : m_paragraphs.constLast().position + m_paragraphs.constLast().length;
    m_complete = false;
}

std::optional<QByteArray> DocumentSnapshot::toRtf(const QTextCharFormat& defaults, const std::atomic_bool& cancelled,
                                                  Defaults written) const
{
    // As a save writes the built document: its default font is the defaults' font, and when the
    // defaults hold more than a face and a size, every format is resolved against them.
    const QFont font = DocumentDefaults::defaultFont(defaults, QTextDocument().defaultFont());
    const int defaultTwips =
        font.pointSizeF() > 0 ? qRound(font.pointSizeF() * DocumentFormat::TwipsPerPoint) : 240;
    const bool resolve = written == Defaults::Resolved || DocumentDefaults::beyondDefaultFont(defaults);
    const int tab = m_rootFormat.intProperty(DocumentFormat::DefaultTabTwips);
    RtfEmitter emitter(RtfEmitter::defaultFace(font),
                       tab > 0 ? tab : DocumentFormat::StandardDefaultTabTwips);

    const auto convert = [&](const QTextCharFormat& format) {
        return RtfEmitter::charFormatOf(resolve ? DocumentDefaults::resolved(defaults, format) : format,
                                        defaultTwips);
    };
    // Each distinct format is converted once, when first met.
    std::vector<std::optional<RtfCharFormat>> converted(size_t(m_charFormats.size()));
    const auto rtfFormat = [&](int index) -> const RtfCharFormat& {
        std::optional<RtfCharFormat>& kept = converted[size_t(index)];
        if (!kept)
            kept = convert(withoutObject(m_charFormats[index]));
        return *kept;
    };

    if (m_paragraphs.isEmpty())
        emitter.endParagraph(RtfParaFormat(), 0, 0, convert(QTextCharFormat()), true);
    std::vector<int> listCounts(size_t(m_lists.size()), 0);
    // Each list's numbering: the first of the lists it continues (DocumentFormat::NumbersPerList).
    std::vector<int> numberings(size_t(m_lists.size()), -1);
    int lastNumbered = -1;
    RtfParaFormat paragraph;
    quintptr numbering = 0;
    int number = 0;
    for (qsizetype i = 0; i < m_paragraphs.size(); ++i) {
        if (cancelled)
            return std::nullopt;
        const Paragraph& piece = m_paragraphs[i];
        const QTextBlockFormat& format = m_blockFormats[piece.blockFormat];
        // A block that continues the paragraph before it only adds its runs.
        if (i == 0 || !ParagraphPieces::continues(format)) {
            DocumentFormat::ListKind kind = DocumentFormat::ListKind::None;
            numbering = 0;
            number = 0;
            if (piece.list >= 0) {
                const QTextListFormat& list = m_lists[piece.list];
                kind = DocumentFormat::listKind(list.style());
                int& first = numberings[size_t(piece.list)];
                if (first < 0) {
                    first = list.boolProperty(DocumentFormat::ContinuesNumbering) && lastNumbered >= 0
                                ? numberings[size_t(lastNumbered)]
                                : piece.list;
                }
                if (kind == DocumentFormat::ListKind::Numbered)
                    lastNumbered = piece.list;
                numbering = quintptr(first) + 1;
                number = ++listCounts[size_t(first)];
            }
            paragraph = RtfEmitter::paragraphFormatOf(withoutObject(format), kind);
        }
        const bool last = i + 1 == m_paragraphs.size();
        const int endRun = last ? int(m_runs.size()) : m_paragraphs[i + 1].firstRun;
        qsizetype at = piece.textStart;
        for (int run = piece.firstRun; run < endRun; ++run) {
            emitter.addRun(QStringView(m_text).sliced(at, m_runs[run].length), rtfFormat(m_runs[run].format));
            at += m_runs[run].length;
        }
        if (last || !ParagraphPieces::continues(m_blockFormats[m_paragraphs[i + 1].blockFormat]))
            emitter.endParagraph(paragraph, numbering, number, rtfFormat(piece.charFormat), last);
    }
    emitter.finishBody();
    QByteArray rtf = std::move(emitter.body());
    rtf.insert(0, emitter.header());
    return rtf;
}
