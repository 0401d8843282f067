#pragma once

#include <QList>

// One tab stop of a paragraph, as RTF and the word processors that write it hold it: a position
// from the left edge of the text area (not from the paragraph's indent), how the text after the
// tab lines up there, and what fills the gap before it.
struct TabStop {
    enum class Alignment : unsigned char { Left, Right, Center, Decimal };
    enum class Leader : unsigned char { None, Dots, Hyphens, Underline, ThickLine, Equals };

    // Positions beyond this are damage (RTF's largest page is 22 inches).
    static constexpr int MaxPositionTwips = 1 << 20;

    int positionTwips = 0;
    Alignment alignment = Alignment::Left;
    Leader leader = Leader::None;

    bool operator==(const TabStop&) const = default;

    // One int per stop, so that a paragraph's stops are a plain list property of its format.
    int pack() const { return positionTwips << 6 | int(leader) << 3 | int(alignment); }
    static TabStop unpack(int packed)
    {
        return {packed >> 6, Alignment((packed & 7) <= 3 ? packed & 7 : 0),
                Leader(((packed >> 3) & 7) <= 5 ? (packed >> 3) & 7 : 0)};
    }
};

using TabStops = QList<TabStop>;
