// SPDX-License-Identifier: Zlib
// The value every 16-bit root must return, worked out in exact integer arithmetic.
#ifndef QUORVANTEL_TESTS_REFERENCE_ROOT_HPP
#define QUORVANTEL_TESTS_REFERENCE_ROOT_HPP

// The integer nearest to the square root of x (0 to 65535): the n with
// n*n - n < x <= n*n + n, and 0 for 0. Not saturated.
int nearest_root(int x);

// nearest_root, saturated at 255: the contract of the 16-bit routines.
int nearest_root_saturated(int x);

// floor(sqrt(x)) in double precision, exact for every 16-bit x: the floor root's contract.
int floor_root(int x);

#endif
