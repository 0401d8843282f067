#pragma once

#include "Pictograms.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

// The pictures of one image button: an ivory key lit from the top left, standing on whatever
// lies beneath the button (so the opaque button joins its surroundings), in its four states.
class ButtonArt {
public:
    enum class State { Up, Down, Over, Disabled };
    static const QList<State>& states();
    // "up", "down", "over", "disabled": the file name suffixes.
    static QString suffix(State state);

    // background: the button-sized picture of what lies beneath it; cap: the key inside it.
    static QImage render(const QImage& background, const QRect& cap, Pictograms::Command command,
                         State state);
};
