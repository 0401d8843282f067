#pragma once

#include <QCursor>

// The screen cursors by number, as layouts give a control's Cursor: 0 is the default arrow,
// negative numbers are the standard shapes (crHandPoint -21, crIBeam -4, ...), positive ones
// are the application's own, registered by the controls that bring them.
class CursorTable {
public:
    static QCursor cursor(int index);
    static bool contains(int index);
    static void set(int index, const QCursor& cursor);
    static void remove(int index);
};
