#pragma once

#include "framework/Colors.h"

#include <QFont>
#include <QObject>

// A control's font as layouts and the attribute model describe it: face name, height in pixels
// (negative: character height without internal leading), colour, style, character set, pitch.
// Every change emits changed() once.
class TFont : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(int Size READ size WRITE setSize)
    Q_PROPERTY(quint32 Color READ color WRITE setColor)
    Q_PROPERTY(TFontStyles Style READ style WRITE setStyle)
    Q_PROPERTY(int Charset READ charset WRITE setCharset)
    Q_PROPERTY(TFontPitch Pitch READ pitch WRITE setPitch)

public:
    enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
    Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
    Q_FLAG(TFontStyles)
    enum TFontPitch { fpDefault, fpVariable, fpFixed };
    Q_ENUM(TFontPitch)

    static constexpr int DefaultCharset = 1;

    explicit TFont(QObject* parent = nullptr);

    QString name() const { return m_name; }
    void setName(const QString& name);
    int height() const { return m_height; }
    void setHeight(int height);
    // Size in points at the screen's resolution.
    int size() const;
    void setSize(int points);
    Colors::TColor color() const { return m_color; }
    void setColor(Colors::TColor color);
    TFontStyles style() const { return m_style; }
    void setStyle(TFontStyles style);
    int charset() const { return m_charset; }
    void setCharset(int charset);
    TFontPitch pitch() const { return m_pitch; }
    void setPitch(TFontPitch pitch);

    // Copies every attribute of other, with one changed().
    void assign(const TFont& other);

    // The face to use for a stored name: "Default" (any case) stands for the framework's
    // default face.
    static QString resolvedFaceName(const QString& name);
    static QString defaultFaceName();
    // Vertical pixels per inch of the screen (96 without a screen).
    static int screenDpi();

    // The Qt font for drawing: resolved face, pixel size, style.
    QFont toQFont() const;

Q_SIGNALS:
    void changed();

private:
    QString m_name;
    int m_height;
    Colors::TColor m_color;
    TFontStyles m_style;
    int m_charset = DefaultCharset;
    TFontPitch m_pitch = fpDefault;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFont::TFontStyles)
