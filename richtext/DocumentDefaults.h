#pragma once

#include <QFont>
#include <QTextCharFormat>

class QTextDocument;

// The default character format of a document: the format of text that carries no character
// properties of its own (text typed into an empty document, plain text as loaded). It is kept
// in the document itself, complete (face, size, styles, colour, character set, pitch), and its
// font is the document's default font, so such text is laid out, drawn and printed in it and
// follows every change of it. A property that a piece of text sets itself wins over it.
namespace DocumentDefaults {
// The complete default format; a document that was never given one answers from its default
// font, in the automatic colour, default character set and pitch.
QTextCharFormat charFormat(const QTextDocument& document);
// Stores format as the default and makes its font the document's default font.
void setCharFormat(QTextDocument& document, const QTextCharFormat& format);
// The default font again (Qt's text edit resets it when the widget's font changes).
void reapply(QTextDocument& document);
// The format text shows with: its own properties over the default ones.
QTextCharFormat resolved(const QTextDocument& document, const QTextCharFormat& own);
QTextCharFormat resolved(const QTextCharFormat& defaults, const QTextCharFormat& own);
// Whether the default holds more than a face and a size, which readers of the document that
// know only its default font (the RTF writer) would miss on text without properties of its own.
bool beyondDefaultFont(const QTextDocument& document);
bool beyondDefaultFont(const QTextCharFormat& defaults);
// The default font a document given these defaults has, base being its font before.
QFont defaultFont(const QTextCharFormat& defaults, const QFont& base);
// Gives every piece of text the default properties it lacks, so that the document shows the
// same with any default (for a copy that leaves the control: a file, the clipboard).
void resolveAll(QTextDocument& document);
} // namespace DocumentDefaults
