// SPDX-License-Identifier: Zlib
#include "reference_root.hpp"

#include <algorithm>

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
