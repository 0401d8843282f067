#pragma once

#include "framework/Colors.h"
#include "framework/TGraphicControl.h"
#include "framework/TPicture.h"

class QPainter;

// The push button of the skinned windows: no caption, frame or focus, just one of four pictures
// chosen by its state (disabled, pressed, mouse over, up). A left press and a release over the
// button click it. Empty down, mouse-over and disabled pictures take a copy of the up picture;
// an up picture narrower than 2 pixels leaves a plain button-face rectangle. On screens of 1.5
// or more device pixels to a pixel, a picture's double is drawn where it has one.
//
// A window may let the Tab key reach the button (focus policy Qt::TabFocus): it then shows its
// mouse-over picture and a dotted mark while it has the focus, and Space or Enter clicks it.
class TLumaroLButton : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(bool Stretch READ stretch WRITE setStretch)
    Q_PROPERTY(TPicture UpImage READ upImage WRITE setUpImage)
    Q_PROPERTY(quint32 TransparentColor READ transparentColor WRITE setTransparentColor)
    Q_PROPERTY(TPicture DownImage READ downImage WRITE setDownImage)
    Q_PROPERTY(TPicture MouseOverImage READ mouseOverImage WRITE setMouseOverImage)
    Q_PROPERTY(TPicture DisabledImage READ disabledImage WRITE setDisabledImage)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)

public:
    explicit TLumaroLButton(QWidget* parent = nullptr);

    bool stretch() const { return m_stretch; }
    void setStretch(bool stretch);
    const TPicture& upImage() const { return m_upImage; }
    void setUpImage(const TPicture& picture);
    Colors::TColor transparentColor() const { return m_transparentColor; }
    void setTransparentColor(Colors::TColor color);
    const TPicture& downImage() const { return m_downImage; }
    void setDownImage(const TPicture& picture);
    // The mouse-over and disabled pictures show from the next paint on.
    const TPicture& mouseOverImage() const { return m_mouseOverImage; }
    void setMouseOverImage(const TPicture& picture);
    const TPicture& disabledImage() const { return m_disabledImage; }
    void setDisabledImage(const TPicture& picture);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    bool pressed() const { return m_pressed; }
    bool mouseInside() const { return m_mouseInside; }

    // Clicks the button as a press and a release over it do (the keyboard and assistive
    // technology press it so).
    void Press() { Click(); }

    // Gives each empty down, mouse-over and disabled picture a copy of the up picture.
    void FillMissingPictures();

    // Draws the button through an off-screen image in one copy. Fills missing pictures first,
    // as every paint does.
    void paint(QPainter& painter);

protected:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The button's own Enabled, whatever its parents say (a disabled window does not make its
    // buttons show their disabled pictures).
    bool ownEnabled() const;
    const TPicture& shownPicture() const;
    QColor parentBackground() const;
    void setPressed(bool pressed);
    // Redraws at once when opaque; a transparent button needs its parent drawn first.
    void redrawForHover();
    // The dotted rectangle of the keyboard focus, inside the button's edge.
    void paintFocusMark(QPainter& painter) const;

    TPicture m_upImage;
    TPicture m_downImage;
    TPicture m_mouseOverImage;
    TPicture m_disabledImage;
    bool m_mouseInside = false;
    bool m_stretch = false;
    bool m_transparent = false;
    Colors::TColor m_transparentColor = Colors::clWhite;
    bool m_pressed = false;
};
