// SPDX-License-Identifier: Zlib
// The outer project's own roots: cube roots, to tell them from quorvantel's.
int outer_cube_root(int x)
{
    int root = 0;
    while ((root + 1) * (root + 1) * (root + 1) <= x) {
        ++root;
    }
    return root;
}
