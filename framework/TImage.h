#pragma once

#include "framework/TGraphicControl.h"
#include "framework/TPicture.h"

// A picture at its natural size from the control's top-left corner, cropped to the control
// (or scaled to it with Stretch). A JPEG picture is always drawn opaque.
class TImage : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(TPicture Picture READ picture WRITE setPicture)
    Q_PROPERTY(bool Stretch READ stretch WRITE setStretch)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)

public:
    explicit TImage(QWidget* parent = nullptr);

    const TPicture& picture() const { return m_picture; }
    void setPicture(const TPicture& picture);
    bool stretch() const { return m_stretch; }
    void setStretch(bool stretch);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    // Draws the control's content; paintEvent only calls this.
    void paint(QPainter& painter) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TPicture m_picture;
    bool m_stretch = false;
    bool m_transparent = false;
};
