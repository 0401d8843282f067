#pragma once

#include "richtext/TabStop.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextFormat>
#include <QTextListFormat>

class QTextBlock;
class QTextDocument;

// How a document's formatting is held in a QTextDocument, shared by the RTF reader and writer,
// the rich-text control and printing.
//
// Character formats: the face is the first of fontFamilies(); the size is fontPointSize(), always
// a whole number of twips (twips / 20.0); bold, italic, underline and strike-out as Qt holds
// them; a foreground brush is an explicit colour, its absence the automatic colour (window
// text); the character set and the pitch are properties of their own.
//
// Paragraph formats: alignment as Qt holds it; the indents and the tab stops are kept in twips
// as properties of their own, so they read back exactly on any device. A bulleted or numbered
// paragraph belongs to a QTextList (style ListDisc or ListDecimal). Everything Qt lays a
// paragraph out with (margins, first-line indent, tab positions) is derived from these by
// ParagraphLayout for the device that lays the document out.
//
// The document's default tab width (the distance of the stops after the last explicit one) is a
// property of its root frame, so that it travels with every copy of the document.
namespace DocumentFormat {
enum Property : int {
    Charset = QTextFormat::UserProperty + 1, // int, the character-set byte (1 = default)
    Pitch,                                   // int, 0 default, 1 fixed, 2 variable
    FirstIndentTwips = QTextFormat::UserProperty + 16, // int, first line from the left edge
    LeftOffsetTwips,                                   // int, following lines relative to the first
    RightIndentTwips,                                  // int, from the right edge
    TabStopList,                                       // QList<int>, TabStop::pack() of each stop
    DefaultTabTwips = QTextFormat::UserProperty + 32,  // int, of the root frame
    ContinuesParagraph = QTextFormat::UserProperty + 48, // bool, see ParagraphPieces.h
    ContinuesNumbering = QTextFormat::UserProperty + 64, // bool, of a list: see NumbersPerList
};

constexpr int TwipsPerPoint = 20;
constexpr int TwipsPerInch = 1440;
// What RTF assumes when a document names no default tab width: half an inch.
constexpr int StandardDefaultTabTwips = 720;
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

inline void setIndents(QTextBlockFormat& format, int firstTwips, int leftOffsetTwips, int rightTwips)
{
    format.setProperty(FirstIndentTwips, firstTwips);
    format.setProperty(LeftOffsetTwips, leftOffsetTwips);
    format.setProperty(RightIndentTwips, rightTwips);
}

TabStops tabStops(const QTextBlockFormat& format);
// Sorted by position, one stop per position (the last set there), within the page.
TabStops normalizedTabStops(TabStops stops);
// Sorted by position, one stop per position; an empty list removes the property.
void setTabStops(QTextBlockFormat& format, TabStops stops);

enum class ListKind { None, Bullet, Numbered };
// Qt marks every item of a list for layout again whenever one joins it, so a list held as one
// object costs its length squared to build (27,000 paragraphs: 10 s). Bullets are not counted,
// so a run of bulleted paragraphs is held as lists of at most this many items each.
constexpr int BulletsPerList = 32;
// A long numbered list is held as lists of at most this many items as it is read, each after the
// first marked ContinuesNumbering: its numbers go on from the numbered list before it
// (ListNumbering). Finding a number walks back through those lists, hence more items to a list
// than for bullets.
constexpr int NumbersPerList = 1024;
ListKind listKind(const QTextBlock& block);
ListKind listKind(QTextListFormat::Style style);

int defaultTabTwips(const QTextDocument& document);
// Also makes it the distance Qt puts default stops at (in its logical 96 dpi units).
void setDefaultTabTwips(QTextDocument& document, int twips);
} // namespace DocumentFormat
