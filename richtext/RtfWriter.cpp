#include "richtext/RtfWriter.h"

#include "richtext/DocumentFormat.h"
#include "richtext/ParagraphPieces.h"
#include "richtext/RtfEmitter.h"

#include <QIODevice>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <optional>
#include <utility>
#include <vector>

namespace {
RtfParaFormat paragraphFormatOf(const QTextBlock& block)
{
    return RtfEmitter::paragraphFormatOf(block.blockFormat(), DocumentFormat::listKind(block));
}

// Which numbered list a paragraph is counted in.
quintptr numberingOf(const QTextBlock& block)
{
    return quintptr(block.textList());
}

class Writer {
public:
    explicit Writer(const QTextDocument& document)
        : m_document(document), m_emitter(RtfEmitter::defaultFace(document.defaultFont()),
                                          DocumentFormat::defaultTabTwips(document))
    {
        if (document.defaultFont().pointSizeF() > 0)
            m_defaultTwips = qRound(document.defaultFont().pointSizeF() * DocumentFormat::TwipsPerPoint);
    }
    // The file is header + body.
    struct Parts {
        QByteArray header;
        QByteArray body;
    };
    Parts run();

private:
    const RtfCharFormat& charFormat(int index, const QTextCharFormat& format);
    void collect();
    void writeParagraph(const QTextBlock& block, bool last, bool continues, bool continued);
    static int firstRunFormat(const QTextBlock& block);

    const QTextDocument& m_document;
    RtfEmitter m_emitter;
    int m_defaultTwips = 240; // the size of text without one of its own
    // The document's character formats by their index, converted once.
    std::vector<std::optional<RtfCharFormat>> m_charFormats;
    bool m_runOpen = false; // the last run written goes on in the next block
};

const RtfCharFormat& Writer::charFormat(int index, const QTextCharFormat& format)
{
    if (size_t(index) >= m_charFormats.size())
        m_charFormats.resize(size_t(index) + 1);
    std::optional<RtfCharFormat>& converted = m_charFormats[size_t(index)];
    if (!converted)
        converted = RtfEmitter::charFormatOf(format, m_defaultTwips);
    return *converted;
}

// The tables get their entries in the order RtfWriterSink meets them: for each paragraph the
// face of its mark, those of its runs, then its list.
void Writer::collect()
{
    QTextBlock paragraph;
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        if (block == m_document.begin() || !ParagraphPieces::continues(block))
            paragraph = block;
        m_emitter.addFace(charFormat(block.charFormatIndex(), block.charFormat()));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            m_emitter.addFace(charFormat(fragment.charFormatIndex(), fragment.charFormat()));
        }
        const QTextBlock next = block.next();
        if (!next.isValid() || !ParagraphPieces::continues(next))
            m_emitter.addList(paragraphFormatOf(paragraph), numberingOf(paragraph));
    }
}

// A block that continues the paragraph before it (continues) only adds its runs; one that is
// continued by the next writes no paragraph mark.
void Writer::writeParagraph(const QTextBlock& block, bool last, bool continues, bool continued)
{
    QByteArray& out = m_emitter.body();
    if (!continues) {
        const QTextList* list = block.textList();
        m_emitter.paragraphFormat(paragraphFormatOf(block), numberingOf(block), list ? list->itemNumber(block) + 1 : 0);
    }
    // Each run is a group of its own, so no reader has to undo the previous run's format; a run
    // that goes on in the next piece of the paragraph stays one group.
    for (auto it = block.begin(); !it.atEnd();) {
        const QTextFragment fragment = it.fragment();
        if (!m_runOpen) {
            out += '{';
            m_emitter.charFormat(charFormat(fragment.charFormatIndex(), fragment.charFormat()));
        }
        m_emitter.text(fragment.text());
        ++it;
        m_runOpen = it.atEnd() && continued && block.next().length() > 1 &&
                    firstRunFormat(block.next()) == fragment.charFormatIndex();
        if (!m_runOpen)
            out += '}';
    }
    if (continued)
        return;
    m_emitter.paragraphEnd(charFormat(block.charFormatIndex(), block.charFormat()), last);
}

int Writer::firstRunFormat(const QTextBlock& block)
{
    const auto first = block.begin();
    return first.atEnd() ? -1 : first.fragment().charFormatIndex();
}

Writer::Parts Writer::run()
{
    collect();
    m_emitter.body().reserve(m_document.characterCount() * 2 + 1024);
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        // The first block continues nothing, whatever a copied selection brought along.
        writeParagraph(block, !next.isValid(), block != m_document.begin() && ParagraphPieces::continues(block),
                       next.isValid() && ParagraphPieces::continues(next));
    }
    m_emitter.finishBody();
    // The colours are known only once the body is written, so the header comes second.
    return {m_emitter.header(), std::move(m_emitter.body())};
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
