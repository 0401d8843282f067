#pragma once

#include <QByteArray>

// Writes a realistic RTF document of about the given size, as word processors write them: a font
// table with Western, Cyrillic, Central European and Japanese fonts, a colour table, paragraphs
// of words in runs of bold, italic, underline, sizes and colours, accented letters as \'hh,
// Cyrillic and Japanese text in their code pages, \uN with fallbacks, tabs, line breaks,
// bulleted paragraphs and indents. The same seed gives the same document.
class RtfGenerator {
public:
    static QByteArray generate(qsizetype approximateBytes, unsigned seed = 1);
};
