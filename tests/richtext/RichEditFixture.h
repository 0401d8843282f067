#pragma once

#include "richtext/DocumentFormat.h"
#include "richtext/ParagraphPieces.h"
#include "richtext/PlainTextReader.h"
#include "richtext/TCustomRichEdit.h"
#include "richtext/TRichEditStrings.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

// Small helpers shared by the rich-text control's tests.
namespace RichEditFixture {

inline QTextCharFormat runFormat(const QString& face, int points, bool bold, bool italic, QColor color,
                                 int charset)
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{face});
    DocumentFormat::setSizeTwips(format, points * DocumentFormat::TwipsPerPoint);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setForeground(color);
    format.setProperty(DocumentFormat::Charset, charset);
    return format;
}

// Appends text in format at the end of the document.
inline void append(TCustomRichEdit& edit, const QString& text, const QTextCharFormat& format = {})
{
    QTextCursor cursor(edit.document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text, format);
}

inline void select(TCustomRichEdit& edit, int start, int length)
{
    edit.setSelStart(start);
    edit.setSelLength(length);
}

// "first", a paragraph of 3000 characters held as blocks of about 100, and "last": the long
// paragraph's blocks are numbered 1 to the block count - 2.
inline void fillWithLongParagraph(TCustomRichEdit& edit)
{
    QString words;
    while (words.size() < 3000)
        words += QStringLiteral("word ");
    const ParagraphPieces::Sizes usual = ParagraphPieces::sizes();
    ParagraphPieces::setSizes({1000, 100});
    PlainTextReader::read(QStringLiteral("first\n%1\nlast").arg(words).toUtf8(), *edit.document(), QTextCharFormat());
    ParagraphPieces::setSizes(usual);
}

// The paragraph format of the paragraph numbered index.
inline QTextBlockFormat blockFormat(const TCustomRichEdit& edit, int index)
{
    return edit.document()->findBlockByNumber(index).blockFormat();
}
} // namespace RichEditFixture
