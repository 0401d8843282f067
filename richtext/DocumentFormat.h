#pragma once

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextFormat>

// How a document's formatting is held in a QTextDocument, shared by the RTF reader and writer,
// the rich-text control and printing.
//
// Character formats: the face is the first of fontFamilies(); the size is fontPointSize(), always
// a whole number of twips (twips / 20.0); bold, italic, underline and strike-out as Qt holds
// them; a foreground brush is an explicit colour, its absence the automatic colour (window
// text); the character set and the pitch are properties of their own.
//
// Paragraph formats: alignment as Qt holds it; the indents are kept in twips as properties of
// their own, so they read back exactly on any device; the margins Qt lays out with are derived
// from them for the resolution of the device that lays the document out (applyIndents). A
// bulleted paragraph belongs to a QTextList of style ListDisc.
namespace DocumentFormat {
enum Property : int {
    Charset = QTextFormat::UserProperty + 1, // int, the character-set byte (1 = default)
    Pitch,                                   // int, 0 default, 1 fixed, 2 variable
    FirstIndentTwips = QTextFormat::UserProperty + 16, // int, first line from the left edge
    LeftOffsetTwips,                                   // int, following lines relative to the first
    RightIndentTwips,                                  // int, from the right edge
};

constexpr int TwipsPerPoint = 20;
constexpr int TwipsPerInch = 1440;
// The resolution documents are laid out at on screen (Qt's logical 96 dots per inch).
constexpr double ScreenDpi = 96.0;

inline int sizeTwips(const QTextCharFormat& format)
{
    return qRound(format.fontPointSize() * TwipsPerPoint);
}

inline void setSizeTwips(QTextCharFormat& format, int twips)
{
    format.setFontPointSize(double(twips) / TwipsPerPoint);
}

// Twips to layout units of a device with dpi dots per inch.
inline double twipsToDeviceUnits(int twips, double dpi)
{
    return twips * dpi / TwipsPerInch;
}

// Sets the twips indents of a paragraph and the margins Qt lays it out with at dpi.
inline void applyIndents(QTextBlockFormat& format, int firstTwips, int leftOffsetTwips, int rightTwips, double dpi)
{
    format.setProperty(FirstIndentTwips, firstTwips);
    format.setProperty(LeftOffsetTwips, leftOffsetTwips);
    format.setProperty(RightIndentTwips, rightTwips);
    format.setLeftMargin(twipsToDeviceUnits(firstTwips + leftOffsetTwips, dpi));
    format.setTextIndent(twipsToDeviceUnits(-leftOffsetTwips, dpi));
    format.setRightMargin(twipsToDeviceUnits(rightTwips, dpi));
}

// Lays a paragraph out at dpi from the twips indents it holds. A bullet stands in the first-line
// indent and the text of every line of a bulleted paragraph starts at the left indent.
inline void layOutIndents(QTextBlockFormat& format, bool bulleted, double dpi)
{
    applyIndents(format, format.intProperty(FirstIndentTwips), format.intProperty(LeftOffsetTwips),
                 format.intProperty(RightIndentTwips), dpi);
    if (bulleted)
        format.setTextIndent(0);
}
} // namespace DocumentFormat
