#pragma once

#include <QFont>
#include <QString>

// Text in a symbol font (such as the arrows of the ruler's markers) that must still show its
// symbols where the font is not installed: the characters are then drawn as the Unicode symbols
// they stand for, in a face that has them.
class SymbolFontFallback {
public:
    // The text to draw for text in font, and the font to draw it with.
    static QString displayText(const QString& text, const QFont& font, QFont* drawingFont);
};
