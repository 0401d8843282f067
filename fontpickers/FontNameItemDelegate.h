#pragma once

#include "fontpickers/PickerItemDelegate.h"

#include <QFont>
#include <QImage>

class TFontNameComboBox;

// Draws the entries of the font-name picker, in its open list and in its selection field: the
// background in the picker's colour (the highlight when selected), a dotted focus rectangle
// when focused, the font-type pictogram, and the name, in its own face with foDisplayFont
// (smaller where that face would not fit the entry).
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

    // Draws name from x = left in the rows of rect: in the picker's font, or with ownFace in
    // its own face, smaller where that face would not show it whole. The caller clips to the
    // entry.
    static void drawName(QPainter& painter, QFont font, bool ownFace, const QString& name, int left,
                         const QRect& rect);

    // The platform's focus rectangle: every other pixel of the rectangle's edge inverted,
    // for a rectangle filled with background.
    static void drawFocusRect(QPainter& painter, const QRect& rect, const QColor& background);

private:
    // Whether the name, drawn in face at the platform's place (one pixel below the entry's top),
    // shows whole between the entry's second and last row.
    static bool fitsAsLaidOut(const QFont& face, const QString& name, const QRect& rect);
    // The name as face really draws it, cut to the pixels it inks; left is where the ink starts
    // from the pen's position.
    struct Letters {
        QImage image;
        int left = 0;
    };
    static Letters lettersOf(const QFont& face, const QString& name, const QColor& color);
    // Draws the name whole inside the entry: in face when it fits there, else in a smaller size
    // of face, else (a bitmap face of one size) scaled down.
    static void drawFitted(QPainter& painter, const QFont& face, const QString& name, int left,
                           const QRect& rect);
    // Sizes below this are not tried; a face needing less is scaled instead.
    static constexpr int MinimumPixelSize = 6;

    TFontNameComboBox& m_picker;
};
