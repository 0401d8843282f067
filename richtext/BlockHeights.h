#pragma once

#include <QtGlobal>
#include <vector>

// The heights of a document's paragraphs in order. The top of a paragraph, the paragraph at a
// height and a change of one height each take logarithmic time plus a walk through one group of
// GroupSize paragraphs; inserting or removing paragraphs rebuilds the sums in linear time.
// A document of a million empty lines has a million paragraphs, so each costs little: its height
// as a float, and a share of its group's sum in a Fenwick tree of doubles (under 5 bytes in all).
class BlockHeights {
public:
    static constexpr size_t GroupSize = 32;

    // A height as it is held: what height() gives back after setHeight(height).
    static double held(double height) { return double(float(height)); }

    int count() const { return int(m_heights.size()); }
    double height(int block) const { return m_heights[size_t(block)]; }
    double total() const { return m_total; }

    // The sum of the heights before block (its top).
    double top(int block) const;
    // The block that holds y: the last one whose top is at or above y (0 for y above the first).
    int blockAt(double y) const;

    void setHeight(int block, double height);
    // Replaces removed heights from first on with added new ones.
    void replace(int first, int removed, const std::vector<float>& added);
    void assign(std::vector<float> heights);

private:
    void rebuild();

    std::vector<float> m_heights;
    std::vector<double> m_groups; // Fenwick tree over the sums of the groups, 1-based
    double m_total = 0;
};
