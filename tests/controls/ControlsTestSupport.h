#pragma once

// Helpers of the controls' tests: a palette whose system colours are all distinct, solid
// pictures, and a host window that receives mouse input as the windowing system delivers it.

#include "framework/Colors.h"
#include "framework/SkinPalette.h"
#include "framework/TPicture.h"

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QTest>
#include <QWidget>

namespace ControlsTest {
inline const QColor Face(192, 192, 192);
inline const QColor Highlight(255, 255, 255);
inline const QColor Shadow(128, 128, 128);
inline const QColor ParentBackground(0, 128, 128);

// clBtnFace, clBtnHighlight and clBtnShadow as the classic desktop had them.
inline void useClassicPalette()
{
    QPalette palette = SkinPalette::palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Button, Face);
        palette.setColor(group, QPalette::Light, Highlight);
        palette.setColor(group, QPalette::Dark, Shadow);
    }
    SkinPalette::setPalette(palette);
}

inline TPicture solidPicture(const QColor& color, int width = 40, int height = 30)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return TPicture::fromImage(image);
}

// A shown top-level window with a known background colour for the controls under test.
class HostWindow : public QWidget {
public:
    HostWindow()
    {
        QPalette p = palette();
        p.setColor(QPalette::Window, ParentBackground);
        setPalette(p);
        setAutoFillBackground(true);
        resize(200, 120);
    }
    bool showAndWait()
    {
        show();
        activateWindow();
        return QTest::qWaitForWindowExposed(this) && QTest::qWaitForWindowActive(this);
    }
};
} // namespace ControlsTest
