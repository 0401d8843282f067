#include "richtext/RtfWriter.h"

#include "richtext/DocumentFormat.h"
#include "richtext/ListNumbering.h"
#include "richtext/ParagraphPieces.h"
#include "richtext/RtfEmitter.h"

#include <QHash>
#include <QIODevice>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <optional>
#include <utility>
#include <vector>

namespace {
class Writer {
public:
    explicit Writer(const QTextDocument& document)
        : m_document(document), m_formats(document.allFormats()),
          m_emitter(RtfEmitter::defaultFace(document.defaultFont()),
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
    // What the writer needs of a block's format.
    struct BlockKind {
        bool continues; // the block continues the paragraph before it
        RtfParaFormat format;
        const QTextList* list; // its numbering
    };

    const RtfCharFormat& charFormat(int index);
    const BlockKind& blockKind(const QTextBlock& block);
    const QTextList* numbering(const QTextList* list);
    void collect();
    void writeParagraph(const QTextBlock& block, int number, bool last, bool continues, bool continued);
    static int firstRunFormat(const QTextBlock& block);

    const QTextDocument& m_document;
    const QList<QTextFormat> m_formats; // by their index
    RtfEmitter m_emitter;
    int m_defaultTwips = 240; // the size of text without one of its own
    // The document's character and block formats by their index, converted once: a document of
    // many short paragraphs goes back and forth between a few.
    std::vector<std::optional<RtfCharFormat>> m_charFormats;
    std::vector<std::optional<BlockKind>> m_blockKinds;
    // Each list's numbering: the first of the lists it continues (ListNumbering).
    QHash<const QTextList*, const QTextList*> m_numberings;
    bool m_runOpen = false; // the last run written goes on in the next block
};

const RtfCharFormat& Writer::charFormat(int index)
{
    if (size_t(index) >= m_charFormats.size())
        m_charFormats.resize(size_t(index) + 1);
    std::optional<RtfCharFormat>& converted = m_charFormats[size_t(index)];
    if (!converted)
        converted = RtfEmitter::charFormatOf(m_formats.value(index).toCharFormat(), m_defaultTwips);
    return *converted;
}

const Writer::BlockKind& Writer::blockKind(const QTextBlock& block)
{
    const int index = block.blockFormatIndex();
    if (size_t(index) >= m_blockKinds.size())
        m_blockKinds.resize(size_t(index) + 1);
    std::optional<BlockKind>& kind = m_blockKinds[size_t(index)];
    if (!kind) {
        // A block's list is named by its format, so blocks of one format are in one list.
        const QTextBlockFormat format = block.blockFormat();
        kind = BlockKind{ParagraphPieces::continues(format),
                         RtfEmitter::paragraphFormatOf(format, DocumentFormat::listKind(block)),
                         block.textList()};
    }
    return *kind;
}

const QTextList* Writer::numbering(const QTextList* list)
{
    if (!list)
        return nullptr;
    if (const auto found = m_numberings.constFind(list); found != m_numberings.cend())
        return *found;
    const QTextList* continued = ListNumbering::continued(*list);
    const QTextList* first = continued ? numbering(continued) : list;
    m_numberings.insert(list, first);
    return first;
}

// The tables get their entries in the order RtfWriterSink meets them: for each paragraph the
// face of its mark, those of its runs, then its list.
void Writer::collect()
{
    QTextBlock paragraph;
    const QTextBlock first = m_document.begin();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        if (block == first || !blockKind(block).continues)
            paragraph = block;
        m_emitter.addFace(charFormat(block.charFormatIndex()));
        for (auto it = block.begin(); !it.atEnd(); ++it)
            m_emitter.addFace(charFormat(it.fragment().charFormatIndex()));
        const QTextBlock next = block.next();
        if (!next.isValid() || !blockKind(next).continues) {
            const BlockKind& kind = blockKind(paragraph);
            m_emitter.addList(kind.format, quintptr(numbering(kind.list)));
        }
    }
}

// A block that continues the paragraph before it (continues) only adds its runs; one that is
// continued by the next writes no paragraph mark.
void Writer::writeParagraph(const QTextBlock& block, int number, bool last, bool continues, bool continued)
{
    QByteArray& out = m_emitter.body();
    if (!continues) {
        const BlockKind& kind = blockKind(block);
        m_emitter.paragraphFormat(kind.format, quintptr(numbering(kind.list)), number);
    }
    // Each run is a group of its own, so no reader has to undo the previous run's format; a run
    // that goes on in the next piece of the paragraph stays one group.
    for (auto it = block.begin(); !it.atEnd();) {
        const QTextFragment fragment = it.fragment();
        if (!m_runOpen) {
            out += '{';
            m_emitter.charFormat(charFormat(fragment.charFormatIndex()));
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
    m_emitter.paragraphEnd(charFormat(block.charFormatIndex()), last);
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
    // A list item's number, counted as the blocks go by: asking the list looks through all of
    // its items, which makes a long list cost its length squared.
    QHash<const QTextList*, int> itemsSoFar;
    const QTextBlock first = m_document.begin();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        const QTextList* list = numbering(blockKind(block).list);
        const int number = list ? ++itemsSoFar[list] : 0;
        // The first block continues nothing, whatever a copied selection brought along.
        writeParagraph(block, number, !next.isValid(), block != first && blockKind(block).continues,
                       next.isValid() && blockKind(next).continues);
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
