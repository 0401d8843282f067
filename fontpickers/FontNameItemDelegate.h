#pragma once

#include "fontpickers/PickerItemDelegate.h"

class TFontNameComboBox;

// Draws the entries of the font-name picker, in its open list and in its selection field: the
// background in the picker's colour (the highlight when selected), a dotted focus rectangle
// when focused, the font-type pictogram, and the name, in its own face with foDisplayFont.
// The name starts 24 pixels from the left of the drawing surface with pictograms (3 without),
// whatever the entry's rectangle.
class FontNameItemDelegate : public PickerItemDelegate {
    Q_OBJECT

public:
    struct EntryState {
        bool selected = false;
        bool focused = false;
        bool disabled = false;
    };

    explicit FontNameItemDelegate(TFontNameComboBox& picker);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // Draws the picker's entry at index into rect; index -1 (no entry) only fills the rectangle.
    void paintEntry(QPainter& painter, const QRect& rect, int index, EntryState state) const;

    // The platform's focus rectangle: every other pixel of the rectangle's edge inverted,
    // for a rectangle filled with background.
    static void drawFocusRect(QPainter& painter, const QRect& rect, const QColor& background);

private:
    TFontNameComboBox& m_picker;
};
