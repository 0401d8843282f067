#pragma once

#include <QString>
#include <QTextBlock>

class QTextBlockFormat;
class QTextCursor;
class QTextDocument;

// Qt shapes a whole block as soon as any line of it is laid out, so one paragraph of millions of
// characters would freeze the window. Such a paragraph is held as several blocks: every block
// after the first carries DocumentFormat::ContinuesParagraph and the paragraph's format without
// a first-line indent or a list marker. Writers join the pieces again; on screen a cut shows as
// a line that ends early.
namespace ParagraphPieces {
// Blocks longer than longest characters are cut into pieces of about piece characters.
struct Sizes {
    int longest = 64 * 1024;
    int piece = 4096;
};
Sizes sizes();
void setSizes(Sizes sizes); // for tests

bool continues(const QTextBlockFormat& format);
bool continues(const QTextBlock& block);
// The first and the last block of the paragraph block belongs to.
QTextBlock paragraphStart(QTextBlock block);
QTextBlock paragraphEnd(QTextBlock block);

// Cuts every block of document longer than sizes().longest; call inside an edit block.
void cutLongParagraphs(QTextDocument& document);
// The blocks that start after position from, up to position to, become paragraphs of their own,
// each with the format of the paragraph it was part of. Qt gives a block made by an edit (Enter,
// pasted breaks) the format of the block it was made in: inside a paragraph held as pieces it
// would be a piece too, and its break lost when saved. Call inside the edit's edit block.
void makeParagraphs(QTextDocument& document, int from, int to);
// text is the document's text from position from on, one character for every position: the
// breaks between the pieces of a paragraph are taken out.
QString joined(const QTextDocument& document, int from, QString text);
} // namespace ParagraphPieces
