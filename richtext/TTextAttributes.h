#pragma once

#include "framework/Colors.h"
#include "framework/TFont.h"

#include <QObject>
#include <QString>
#include <QTextCharFormat>

class TCustomRichEdit;

// Character attributes of a rich-text control: those of the selection or the default ones
// (the format of new text). The object keeps no values: every read asks the control's
// document and every write changes exactly one property there. Sizes are whole points; the
// document holds twips (20 per point). The style bits are those of TFont (bold 1, italic 2,
// underline 4, strike-out 8). The window-text colour stands for the automatic colour.
class TTextAttributes : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Size READ size WRITE setSize)
    Q_PROPERTY(TFont::TFontStyles Style READ style WRITE setStyle)
    Q_PROPERTY(quint32 Color READ color WRITE setColor)
    Q_PROPERTY(int Charset READ charset WRITE setCharset)
    Q_PROPERTY(TFont::TFontPitch Pitch READ pitch WRITE setPitch)

public:
    enum class Kind { Selection, Default };

    // The sizes a write accepts; others are refused and change nothing.
    static constexpr int MinSize = 1;
    static constexpr int MaxSize = 1638;

    TTextAttributes(TCustomRichEdit* owner, Kind kind);

    Kind kind() const { return m_kind; }

    QString name() const;
    // An empty name changes nothing; any other is kept whole.
    void setName(const QString& name);
    // Points, truncated toward zero.
    int size() const;
    void setSize(int points);
    TFont::TFontStyles style() const;
    // Writes all four style bits: those not in the set are switched off.
    void setStyle(TFont::TFontStyles style);
    Colors::TColor color() const;
    void setColor(Colors::TColor color);
    int charset() const;
    void setCharset(int charset);
    TFont::TFontPitch pitch() const;
    // The control keeps its pitch: the write changes nothing.
    void setPitch(TFont::TFontPitch pitch);

    // Colour, face, character set, style, size and pitch of font, each as its own write.
    void assign(const TFont& font);
    // Gives font the colour, face, character set, style, size and pitch read here.
    void assignTo(TFont& font) const;

private:
    QTextCharFormat current() const;
    void change(const QTextCharFormat& set, int removedProperty = -1);

    TCustomRichEdit* m_owner;
    Kind m_kind;
};
