// itotal after one call of a routine for each input 0 to 65535 in ascending order, counted from
// 0. Shared by the host tests and the check firmware, so it needs no C++ library.
#ifndef QUORVANTEL_TESTS_SWEEP_TOTALS_HPP
#define QUORVANTEL_TESTS_SWEEP_TOTALS_HPP

#include <stdint.h>

constexpr int32_t sweep_passes_variante4 = 436010;
constexpr int32_t sweep_passes_variante3 = 436689;
constexpr int32_t sweep_passes_sqrt_u16 = 0;
constexpr int32_t sweep_passes_variante2 = 164732;

#endif
