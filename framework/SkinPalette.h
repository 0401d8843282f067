#pragma once

#include <QPalette>

// The colours of the skinned windows, whatever the desktop's theme: the system colours their
// layouts name (clWindow, clBtnFace, clBtnShadow, ...) are these, and the windows give them to
// the Qt widgets they hold (the editor, the pickers), so the artwork, the ruler and the check
// marks stay legible on a dark desktop. The desktop's own dialogs keep the desktop's colours.
class SkinPalette {
public:
    static const QPalette& palette();
    // Replaces the skin's colours (tests give them the classic desktop's distinct colours);
    // windows made afterwards take them.
    static void setPalette(const QPalette& palette);
};
