#pragma once

#include <QStringList>

class QWidget;

// The texts of a window that the eye would see cut off: a label whose caption, in the face it
// is drawn in, is wider or taller than the label, or runs past the window or the control that
// holds the label. Each finding names the label and says by how much.
class ClippedTexts {
public:
    static QStringList in(QWidget& window);
};
