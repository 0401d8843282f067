#pragma once

#include <QtGlobal>
#include <vector>

// The heights of a document's paragraphs in order, with the sums before each of them kept in a
// Fenwick tree: the top of a paragraph, the paragraph at a height and a change of one height
// each take logarithmic time; inserting or removing paragraphs rebuilds the sums in linear time.
class BlockHeights {
public:
    int count() const { return int(m_heights.size()); }
    double height(int block) const { return m_heights[size_t(block)]; }
    double total() const { return m_total; }

    // The sum of the heights before block (its top).
    double top(int block) const;
    // The block that holds y: the last one whose top is at or above y (0 for y above the first).
    int blockAt(double y) const;

    void setHeight(int block, double height);
    // Replaces removed heights from first on with added new ones.
    void replace(int first, int removed, const std::vector<double>& added);
    void assign(std::vector<double> heights);

private:
    void rebuild();

    std::vector<double> m_heights;
    std::vector<double> m_tree; // Fenwick tree over m_heights, 1-based
    double m_total = 0;
};
