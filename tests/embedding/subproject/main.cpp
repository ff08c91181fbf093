// SPDX-License-Identifier: Zlib
#include <cstdio>

#include <quorvantel/roots.hpp>

int outer_cube_root(int x);

int main()
{
    itotal = 0;
    const unsigned short root = sqrt_u16_variante4(50000);
    std::printf("%u after %ld passes; cube root of 50000: %d\n", static_cast<unsigned>(root),
                static_cast<long>(itotal), outer_cube_root(50000));
}
