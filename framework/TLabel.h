#pragma once

#include "framework/Colors.h"
#include "framework/TGraphicControl.h"

#include "framework/TFont.h"

// A text label: its caption in its font, on its colour unless Transparent. With AutoSize it
// takes the size of its text.
class TLabel : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(quint32 Color READ color WRITE setColor)
    Q_PROPERTY(bool ParentColor READ parentColor WRITE setParentColor)
    Q_PROPERTY(TFont* Font READ font)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(TAlignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)

public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)

    explicit TLabel(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    Colors::TColor color() const { return m_color; }
    void setColor(Colors::TColor color);
    bool parentColor() const { return m_parentColor; }
    void setParentColor(bool parentColor);
    TFont* font() const { return m_font; }
    bool parentFont() const { return m_parentFont; }
    void setParentFont(bool parentFont);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);
    TAlignment alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wordWrap);

    // The font and colours the label draws with (its own or its parent's).
    QFont drawingFont() const;
    QColor textColor() const;
    QColor backgroundColor() const;

    void paint(QPainter& painter) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fontChanged();
    void adjustToText();

    QString m_caption;
    Colors::TColor m_color = Colors::clBtnFace;
    bool m_parentColor = true;
    TFont* m_font;
    bool m_parentFont = true;
    bool m_transparent = false;
    bool m_autoSize = true;
    TAlignment m_alignment = taLeftJustify;
    bool m_wordWrap = false;
};
