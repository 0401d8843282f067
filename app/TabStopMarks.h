#pragma once

#include "richtext/TabStop.h"

#include <QWidget>

// The explicit tab stops of the paragraph that holds the selection, drawn along the bottom of the
// ruler under its markers: a small L for a left stop, mirrored for a right one, an inverted T for
// a centred one and the same with a point for a decimal one. The mouse goes through it.
class TabStopMarks : public QWidget {
    Q_OBJECT

public:
    // Covers ruler, whose pixel zeroPixel stands for the text area's left edge (4/3 pixels per point).
    TabStopMarks(QWidget* ruler, int zeroPixel);

    void setStops(const TabStops& stops);
    const TabStops& stops() const { return m_stops; }
    // The ruler pixel of a stop.
    int pixelOf(const TabStop& stop) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TabStops m_stops;
    int m_zeroPixel;
};
