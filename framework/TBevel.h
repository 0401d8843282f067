#pragma once

#include "framework/TGraphicControl.h"

// A bevelled line or frame in the shadow and highlight colours.
class TBevel : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(TBevelShape Shape READ shape WRITE setShape)
    Q_PROPERTY(TBevelStyle Style READ style WRITE setStyle)

public:
    enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
    Q_ENUM(TBevelShape)
    enum TBevelStyle { bsLowered, bsRaised };
    Q_ENUM(TBevelStyle)

    explicit TBevel(QWidget* parent = nullptr);

    TBevelShape shape() const { return m_shape; }
    void setShape(TBevelShape shape);
    TBevelStyle style() const { return m_style; }
    void setStyle(TBevelStyle style);

    void paint(QPainter& painter) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TBevelShape m_shape = bsBox;
    TBevelStyle m_style = bsLowered;
};
