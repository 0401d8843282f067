#include "richtext/BlockHeights.h"

#include <bit>

double BlockHeights::top(int block) const
{
    double sum = 0;
    for (size_t i = size_t(qBound(0, block, count())); i > 0; i &= i - 1)
        sum += m_tree[i];
    return sum;
}

int BlockHeights::blockAt(double y) const
{
    if (m_heights.empty())
        return 0;
    // The largest prefix of heights whose sum stays at or below y: the block after it holds y.
    size_t position = 0;
    double sum = 0;
    for (size_t step = std::bit_floor(m_heights.size()); step > 0; step >>= 1) {
        const size_t next = position + step;
        if (next <= m_heights.size() && sum + m_tree[next] <= y) {
            position = next;
            sum += m_tree[next];
        }
    }
    return int(qMin(position, m_heights.size() - 1));
}

void BlockHeights::setHeight(int block, double height)
{
    const double change = height - m_heights[size_t(block)];
    if (change == 0)
        return;
    m_heights[size_t(block)] = height;
    m_total += change;
    for (size_t i = size_t(block) + 1; i < m_tree.size(); i += i & (~i + 1))
        m_tree[i] += change;
}

void BlockHeights::replace(int first, int removed, const std::vector<double>& added)
{
    const auto at = m_heights.begin() + first;
    if (removed == int(added.size())) {
        std::copy(added.begin(), added.end(), at);
    } else {
        m_heights.erase(at, at + removed);
        m_heights.insert(m_heights.begin() + first, added.begin(), added.end());
    }
    rebuild();
}

void BlockHeights::assign(std::vector<double> heights)
{
    m_heights = std::move(heights);
    rebuild();
}

void BlockHeights::rebuild()
{
    m_tree.assign(m_heights.size() + 1, 0.0);
    m_total = 0;
    for (size_t i = 1; i < m_tree.size(); ++i) {
        m_tree[i] += m_heights[i - 1];
        m_total += m_heights[i - 1];
        const size_t parent = i + (i & (~i + 1));
        if (parent < m_tree.size())
            m_tree[parent] += m_tree[i];
    }
}
