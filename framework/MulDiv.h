#pragma once

#include <cstdint>

// a * b / c with the product kept exact and the quotient rounded half away from zero, as the
// platform's font-size conversions do. Returns -1 when c is 0.
constexpr int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const int64_t product = int64_t(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const int64_t num = product < 0 ? -product : product;
    const int64_t den = c < 0 ? -int64_t(c) : c;
    const int64_t q = (num + den / 2) / den;
    return int(negative ? -q : q);
}
