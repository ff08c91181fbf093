// SPDX-License-Identifier: Zlib
#include "reference_root.hpp"

#include <algorithm>
#include <cmath>

int nearest_root(int x)
{
    int n = 0;
    while (n * n + n < x) ++n;
    return n;
}

int nearest_root_saturated(int x)
{
    return std::min(nearest_root(x), 255);
}

int floor_root(int x)
{
    return static_cast<int>(std::sqrt(static_cast<double>(x)));
}
