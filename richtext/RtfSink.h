#pragma once

#include "richtext/TabStop.h"

#include <QRgb>
#include <QString>
#include <QStringView>

// What the RTF reader reports while it reads the body of a document. One reader feeds either a
// sink that builds a QTextDocument or one that only collects the text, so both see the same
// text.
struct RtfCharFormat {
    QString face;        // empty when the document names no font
    int charset = 1;     // the font's character-set byte (1 = default)
    int pitch = 0;       // 0 default, 1 fixed, 2 variable
    int sizeTwips = 240; // \fsN is in half points; RTF's default is 12 points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool hasColor = false; // false: the automatic colour
    QRgb color = 0;
    int verticalShift = 0; // 1 superscript, -1 subscript

    bool operator==(const RtfCharFormat&) const = default;
};

struct RtfParaFormat {
    enum class Align : unsigned char { Left, Right, Center, Justify };
    enum class List : unsigned char { None, Bullet, Numbered };
    Align align = Align::Left;
    List list = List::None;
    int firstIndentTwips = 0; // first line from the left edge
    int leftOffsetTwips = 0;  // following lines relative to the first line
    int rightIndentTwips = 0;
    TabStops tabs; // in the order the document sets them

    bool operator==(const RtfParaFormat&) const = default;
};

class RtfSink {
public:
    virtual ~RtfSink() = default;
    // The document's default tab width (\deftab), before its text.
    virtual void defaultTab(int twips) { Q_UNUSED(twips) }
    // A run of text of one format: letters, '\t' and QChar::LineSeparator for a line break.
    virtual void text(QStringView text, const RtfCharFormat& format) = 0;
    // Ends the current paragraph, which has the given format; its mark has the character format
    // in force.
    virtual void endParagraph(const RtfParaFormat& format, const RtfCharFormat& mark) = 0;
    // The last paragraph (possibly empty) ends with the document.
    virtual void finish(const RtfParaFormat& format, const RtfCharFormat& mark) = 0;
};
