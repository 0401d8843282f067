#pragma once

#include "framework/Colors.h"
#include "framework/TCustomControl.h"

#include "framework/TFont.h"

// A panel: its colour, optional raised or lowered bevels, and its caption drawn in one line
// with tabs expanded to the default stops (every eight average character widths, unless set
// otherwise), in a band one text line high centred vertically. Raises OnResize.
class TPanel : public TCustomControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(TAlignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(TBevelCut BevelOuter READ bevelOuter WRITE setBevelOuter)
    Q_PROPERTY(TBevelCut BevelInner READ bevelInner WRITE setBevelInner)
    Q_PROPERTY(int BevelWidth READ bevelWidth WRITE setBevelWidth)
    Q_PROPERTY(quint32 Color READ color WRITE setColor)
    Q_PROPERTY(bool ParentColor READ parentColor WRITE setParentColor)
    Q_PROPERTY(TFont* Font READ font)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)

public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
    Q_ENUM(TBevelCut)

    explicit TPanel(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    TAlignment alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment);
    TBevelCut bevelOuter() const { return m_bevelOuter; }
    void setBevelOuter(TBevelCut cut);
    TBevelCut bevelInner() const { return m_bevelInner; }
    void setBevelInner(TBevelCut cut);
    int bevelWidth() const { return m_bevelWidth; }
    void setBevelWidth(int width);
    Colors::TColor color() const { return m_color; }
    void setColor(Colors::TColor color);
    bool parentColor() const { return m_parentColor; }
    void setParentColor(bool parentColor);
    TFont* font() const { return m_font; }
    bool parentFont() const { return m_parentFont; }
    void setParentFont(bool parentFont);

    // Tabs of the caption go to every distance pixels from origin (from the client area's left
    // edge); a distance of 0 restores the default stops.
    void setCaptionTabs(qreal origin, qreal distance);

    QColor backgroundColor() const;
    QFont drawingFont() const;
    // The client area inside the bevels.
    QRect clientArea() const;

    void paint(QPainter& painter) const;

Q_SIGNALS:
    void OnResize(QObject* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fontChanged();
    int bevelDepth() const;

    QString m_caption;
    TAlignment m_alignment = taCenter;
    TBevelCut m_bevelOuter = bvRaised;
    TBevelCut m_bevelInner = bvNone;
    int m_bevelWidth = 1;
    Colors::TColor m_color = Colors::clBtnFace;
    bool m_parentColor = false;
    TFont* m_font;
    bool m_parentFont = true;
    qreal m_tabOrigin = 0;
    qreal m_tabDistance = 0;
};
