#include "richtext/ParagraphPieces.h"

#include "richtext/DocumentFormat.h"

#include <QTextCursor>
#include <QTextDocument>


namespace {
ParagraphPieces::Sizes g_sizes;

// Where the piece starting at start should end: after a space where there is one near, never
// between a surrogate pair or before a combining mark.
qsizetype cutAfter(QStringView text, qsizetype start, qsizetype piece)
{
    const qsizetype end = start + piece;
    for (qsizetype at = end; at > end - piece / 4; --at) {
        if (text[at - 1].isSpace())
            return at;
    }
    qsizetype at = end;
    while (at > start + 1 && (text[at].isLowSurrogate() || text[at].isMark()))
        --at;
    return at;
}

QTextBlockFormat pieceFormat(QTextBlockFormat format)
{
    format.setProperty(DocumentFormat::ContinuesParagraph, true);
    format.clearProperty(QTextFormat::ObjectIndex); // out of any list: no marker of its own
    format.clearProperty(QTextFormat::ListStyle);
    format.setTextIndent(0);
    return format;
}
} // namespace

namespace ParagraphPieces {
Sizes sizes()
{
    return g_sizes;
}

void setSizes(Sizes sizes)
{
    g_sizes = sizes;
}

bool continues(const QTextBlockFormat& format)
{
    return format.boolProperty(DocumentFormat::ContinuesParagraph);
}

bool continues(const QTextBlock& block)
{
    return continues(block.blockFormat());
}

QTextBlock paragraphStart(QTextBlock block)
{
    while (continues(block) && block.previous().isValid())
        block = block.previous();
    return block;
}

QTextBlock paragraphEnd(QTextBlock block)
{
    while (block.next().isValid() && continues(block.next()))
        block = block.next();
    return block;
}

void cutLongParagraphs(QTextDocument& document)
{
    const Sizes limits = g_sizes;
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.length() - 1 <= limits.longest)
            continue;
        const QTextBlockFormat format = pieceFormat(block.blockFormat());
        const QTextCharFormat mark = block.charFormat();
        // A piece at a time, so that the paragraph's text is never copied whole.
        while (block.length() - 1 > limits.piece) {
            const int position = block.position();
            cursor.setPosition(position);
            cursor.setPosition(position + limits.piece + 1, QTextCursor::KeepAnchor);
            const QString window = cursor.selectedText();
            cursor.setPosition(position + int(cutAfter(window, 0, limits.piece)));
            cursor.insertBlock(format, mark);
            block = cursor.block();
        }
    }
}

void makeParagraphs(QTextDocument& document, int from, int to)
{
    QTextCursor cursor(&document);
    for (QTextBlock block = document.findBlock(from).next(); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (!continues(block))
            continue;
        QTextBlockFormat format = paragraphStart(block).blockFormat();
        format.clearProperty(DocumentFormat::ContinuesParagraph);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
}

QString joined(const QTextDocument& document, int from, QString text)
{
    const int end = from + int(text.size());
    QChar* out = nullptr;
    qsizetype copied = 0;
    for (QTextBlock block = document.findBlock(from).next(); block.isValid() && block.position() <= end;
         block = block.next()) {
        if (!continues(block))
            continue;
        const qsizetype cut = block.position() - 1 - from;
        if (!out)
            out = text.data() + cut;
        else {
            const qsizetype length = cut - copied;
            std::copy(text.constData() + copied, text.constData() + cut, out);
            out += length;
        }
        copied = cut + 1;
    }
    if (!out)
        return text;
    const qsizetype rest = text.size() - copied;
    std::copy(text.constData() + copied, text.constData() + text.size(), out);
    text.truncate(out + rest - text.constData());
    return text;
}
} // namespace ParagraphPieces
