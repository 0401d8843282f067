#include "richtext/BlockHeights.h"

#include <bit>

double BlockHeights::top(int block) const
{
    const size_t end = size_t(qBound(0, block, count()));
    const size_t group = end / GroupSize;
    double sum = 0;
    for (size_t i = group; i > 0; i &= i - 1)
        sum += m_groups[i];
    for (size_t i = group * GroupSize; i < end; ++i)
        sum += m_heights[i];
    return sum;
}

int BlockHeights::blockAt(double y) const
{
    if (m_heights.empty())
        return 0;
    // The most whole groups whose sum stays at or below y, then the most paragraphs of the next.
    const size_t groups = m_groups.size() - 1;
    size_t group = 0;
    double sum = 0;
    for (size_t step = std::bit_floor(groups); step > 0; step >>= 1) {
        const size_t next = group + step;
        if (next <= groups && sum + m_groups[next] <= y) {
            group = next;
            sum += m_groups[next];
        }
    }
    size_t position = group * GroupSize;
    while (position < m_heights.size() && sum + m_heights[position] <= y)
        sum += m_heights[position++];
    return int(qMin(position, m_heights.size() - 1));
}

void BlockHeights::setHeight(int block, double height)
{
    const float old = m_heights[size_t(block)];
    m_heights[size_t(block)] = float(height);
    const double change = double(m_heights[size_t(block)]) - old;
    if (change == 0)
        return;
    m_total += change;
    for (size_t i = size_t(block) / GroupSize + 1; i < m_groups.size(); i += i & (~i + 1))
        m_groups[i] += change;
}

void BlockHeights::replace(int first, int removed, const std::vector<float>& added)
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

void BlockHeights::assign(std::vector<float> heights)
{
    m_heights = std::move(heights);
    rebuild();
}

void BlockHeights::rebuild()
{
    m_groups.assign((m_heights.size() + GroupSize - 1) / GroupSize + 1, 0.0);
    m_total = 0;
    for (size_t i = 0; i < m_heights.size(); ++i) {
        m_groups[i / GroupSize + 1] += m_heights[i];
        m_total += m_heights[i];
    }
    for (size_t i = 1; i < m_groups.size(); ++i) {
        const size_t parent = i + (i & (~i + 1));
        if (parent < m_groups.size())
            m_groups[parent] += m_groups[i];
    }
}
