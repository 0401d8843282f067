#pragma once

#include <QImage>
#include <QPainter>
#include <QString>

// The command pictograms of the image buttons, drawn as vectors on a 20 by 20 grid (one unit is
// one pixel at the buttons' size): dark ink outlines one pixel wide on half-pixel coordinates,
// filled with the skin's paper, gold, maroon, slate and steel.
class Pictograms {
public:
    enum class Command {
        New,
        Open,
        Save,
        Print,
        Font,
        MetricTables,
        WorldTimes,
        Exit,
        About,
        Undo,
        Paste,
        Cut,
        Copy,
        SelectAll,
        Delete,
        Close
    };

    // Draws the pictogram into the 20 by 20 square at the painter's origin.
    static void draw(QPainter& p, Command command);
    // The pictogram at size by size pixels on a transparent image.
    static QImage render(Command command, int size = 20);
    // A disabled version: a flat warm grey shape with a light edge below right, as if pressed
    // into the key.
    static QImage disabled(const QImage& pictogram);
};
