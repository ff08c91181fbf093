// SPDX-License-Identifier: Zlib
// The library's 16-bit routines as the tests walk them, one list for the host's tests, the probe,
// the benchmarks and the check firmware; C and C++ alike. The bench's routines, each entry:
//   ROUTINE(name, plain, counts, sweep_passes)
//   name          the routine;
//   plain         its plain form (roots/portable.hpp): the result and count every form must give;
//   counts        1 when its count goes to itotal (sqrt_u16's Newton steps do not);
//   sweep_passes  itotal after one call for each input 0 to 65535 in ascending order, from 0.
#ifndef QUORVANTEL_TESTS_ROUTINES_HPP
#define QUORVANTEL_TESTS_ROUTINES_HPP

// NOLINTNEXTLINE(cppcoreguidelines-macro-usage): a list C and C++ both walk
#define QUORVANTEL_WIDE_ROUTINES(ROUTINE)                                                          \
    ROUTINE(sqrt_u16_variante4, quorvantel_portable_variante4, 1, 436010L)                         \
    ROUTINE(sqrt_u16_variante3, quorvantel_portable_variante3, 1, 436689L)                         \
    ROUTINE(sqrt_u16, quorvantel_portable_sqrt_u16, 0, 0L)                                         \
    ROUTINE(sqrt_u16_variante2, quorvantel_portable_whole_variante2, 1, 164732L)

// The roots to ship, each entry ROOT(name, plain, floor): its plain form, and 1 for the floor
// root, 0 for the nearest root saturated at 255.
// NOLINTNEXTLINE(cppcoreguidelines-macro-usage): a list C and C++ both walk
#define QUORVANTEL_PURE_ROOTS(ROOT)                                                                \
    ROOT(quorvantel_sqrt16_nearest, quorvantel_portable_nearest, 0)                                \
    ROOT(quorvantel_sqrt16_floor, quorvantel_portable_floor, 1)

#endif
