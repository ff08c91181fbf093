// SPDX-License-Identifier: Zlib
// The one place that chooses each core's form of the 16-bit roots, by the compiler's own macros,
// so that CMake with any toolchain file, Arduino's builder and a hand-written build all get the
// same. Every form gives every call the result and the count of the plain form (portable.hpp),
// which every core without a form of its own runs.
//
// Each form returns a call's root and stores its passes (or Newton steps) through its last
// parameter. Bit-by-bit roots: quorvantel_bit_by_bit_variante4(x, &passes) and
// quorvantel_bit_by_bit_variante3(x, &passes), or, where QUORVANTEL_BIT_BY_BIT_IN_ASSEMBLY is
// defined, a form whose header defines the public routines itself when bit_by_bit.cpp includes it
// (QUORVANTEL_BIT_BY_BIT_DEFINITIONS). Newton roots: quorvantel_newton_sqrt_u16(x, &steps) and
// quorvantel_newton_variante2(x, start, &steps), the latter for x up to
// QUORVANTEL_VARIANTE2_LAST_STEPPED; a form in assembly defines them only when newton.cpp includes
// it (QUORVANTEL_NEWTON_DEFINITIONS).
// The roots to ship: quorvantel_sqrt16_nearest_form(x) and quorvantel_sqrt16_floor_form(x), or,
// where QUORVANTEL_SQRT16_IN_ASSEMBLY is defined, a form whose header defines both public routines
// itself when sqrt16.cpp includes it (QUORVANTEL_SQRT16_DEFINITIONS).
// QUORVANTEL_BIT_BY_BIT_FORM_NAME, QUORVANTEL_NEWTON_FORM_NAME and QUORVANTEL_SQRT16_FORM_NAME
// name the forms chosen. Every form's header is named in a plain #include under the condition that
// chooses it: build systems that find a source's headers by scanning it (CMake for SDCC, which
// writes no dependency files) then see every header, and rebuild when one changes.
// QUORVANTEL_PLAIN_FORMS, defined by the build, puts every core on the plain forms, to measure what
// a core's own forms gain. QUORVANTEL_SIZE_FIRST, defined by the build (CMake's option of that
// name), gives the roots to ship their smallest form instead of their fastest, on the cores that
// have one of their own.
#ifndef QUORVANTEL_ROOTS_FORMS_HPP
#define QUORVANTEL_ROOTS_FORMS_HPP

#include "portable.hpp"

#if defined(QUORVANTEL_PLAIN_FORMS)
#define QUORVANTEL_BIT_BY_BIT_FORM_NAME portable
#define quorvantel_bit_by_bit_variante4 quorvantel_portable_variante4
#define quorvantel_bit_by_bit_variante3 quorvantel_portable_variante3
#elif defined(__AVR__) && defined(__AVR_HAVE_MUL__) && defined(__GNUC__)
// The passes scheduled by hand on the 8x8 multiplier.
#include "bit_by_bit_avr.hpp"
#define QUORVANTEL_BIT_BY_BIT_FORM_NAME avr
#define quorvantel_bit_by_bit_variante4 quorvantel_avr_variante4
#define quorvantel_bit_by_bit_variante3 quorvantel_avr_variante3
#elif defined(__AVR__) || (defined(__riscv) && !defined(__riscv_mul))
// No multiplier: each trial square from the last by shifts and additions.
#include "bit_by_bit_shift_add.hpp"
#define QUORVANTEL_BIT_BY_BIT_FORM_NAME shift_add
#define quorvantel_bit_by_bit_variante4 quorvantel_shift_add_variante4
#define quorvantel_bit_by_bit_variante3 quorvantel_shift_add_variante3
#elif defined(__ARM_ARCH_6M__) && defined(__GNUC__)
// Both routines in Thumb assembly, the counter included.
#define QUORVANTEL_BIT_BY_BIT_FORM_NAME armv6m
#define QUORVANTEL_BIT_BY_BIT_IN_ASSEMBLY
#include "bit_by_bit_armv6m.hpp"
#elif defined(__SDCC_mcs51)
// Both routines in 8051 assembly, the counter included.
#define QUORVANTEL_BIT_BY_BIT_FORM_NAME mcs51
#define QUORVANTEL_BIT_BY_BIT_IN_ASSEMBLY
#include "bit_by_bit_mcs51.hpp"
#elif defined(__SDCC_stm8)
// Both routines in STM8 assembly, the counter included.
#define QUORVANTEL_BIT_BY_BIT_FORM_NAME stm8
#define QUORVANTEL_BIT_BY_BIT_IN_ASSEMBLY
#include "bit_by_bit_stm8.hpp"
#elif defined(__ARM_ARCH_7M__) || defined(__ARM_ARCH_7EM__) || defined(__XTENSA__) ||              \
    (defined(__riscv) && defined(__riscv_mul))
// A 32-bit core with a fast multiply: the top trials decided on x's high byte, the other passes
// unrolled.
#include "bit_by_bit_unrolled.hpp"
#define QUORVANTEL_BIT_BY_BIT_FORM_NAME unrolled
#define quorvantel_bit_by_bit_variante4 quorvantel_unrolled_variante4
#define quorvantel_bit_by_bit_variante3 quorvantel_unrolled_variante3
#else
#define QUORVANTEL_BIT_BY_BIT_FORM_NAME portable
#define quorvantel_bit_by_bit_variante4 quorvantel_portable_variante4
#define quorvantel_bit_by_bit_variante3 quorvantel_portable_variante3
#endif

#if defined(QUORVANTEL_PLAIN_FORMS)
#define QUORVANTEL_NEWTON_FORM_NAME portable
#define quorvantel_newton_sqrt_u16 quorvantel_portable_sqrt_u16
#define quorvantel_newton_variante2 quorvantel_portable_variante2
#elif defined(__AVR__) && defined(__GNUC__)
// A 16-by-8-bit division of its own, the quotient capped at 255.
#include "newton_avr.hpp"
#define QUORVANTEL_NEWTON_FORM_NAME avr
#define quorvantel_newton_sqrt_u16 quorvantel_avr_sqrt_u16
#define quorvantel_newton_variante2 quorvantel_avr_variante2
#elif defined(__SDCC_mcs51)
// The steps in 8051 assembly, with a 16-by-8-bit division of their own; they find
// sqrt_u16_variante2's start themselves.
#define QUORVANTEL_NEWTON_FORM_NAME mcs51
#include "newton_mcs51.hpp"
#define quorvantel_newton_sqrt_u16 quorvantel_mcs51_sqrt_u16
#define quorvantel_newton_variante2(x, start, steps) quorvantel_mcs51_variante2(x, steps)
#elif defined(__SDCC_stm8)
// On bytes, one hardware division a step.
#include "newton_byte_quotient.hpp"
#define QUORVANTEL_NEWTON_FORM_NAME byte_quotient
#define quorvantel_newton_sqrt_u16 quorvantel_byte_quotient_sqrt_u16
#define quorvantel_newton_variante2 quorvantel_byte_quotient_variante2
#elif (defined(__arm__) && !defined(__ARM_FEATURE_IDIV)) ||                                        \
    (defined(__riscv) && !defined(__riscv_div)) ||                                                 \
    (defined(__XTENSA__) && !(defined(XCHAL_HAVE_DIV32) && XCHAL_HAVE_DIV32))
// No divide instruction, where each step would call a 32-bit library division (or, with Debian's
// lx106 libgcc, find none to link): the same division in C. Arm cores say so by naming no
// integer divide (armv6-m), RISC-V by naming no M divide. GCC names none for Xtensa either way;
// the core's own configuration does (XCHAL_HAVE_DIV32), where a build defines it.
#include "newton_divide_capped.hpp"
#define QUORVANTEL_NEWTON_FORM_NAME divide_capped
#define quorvantel_newton_sqrt_u16 quorvantel_divide_capped_sqrt_u16
#define quorvantel_newton_variante2 quorvantel_divide_capped_variante2
#else
#define QUORVANTEL_NEWTON_FORM_NAME portable
#define quorvantel_newton_sqrt_u16 quorvantel_portable_sqrt_u16
#define quorvantel_newton_variante2 quorvantel_portable_variante2
#endif

#if defined(QUORVANTEL_PLAIN_FORMS)
#define QUORVANTEL_SQRT16_FORM_NAME portable
#define quorvantel_sqrt16_nearest_form quorvantel_portable_nearest
#define quorvantel_sqrt16_floor_form quorvantel_portable_floor
#elif defined(__AVR__) && defined(__AVR_HAVE_MUL__) && defined(__GNUC__)
// In assembly: a tree of compares on x's high byte and passes on the 8x8 multiplier; size first,
// one loop.
#define QUORVANTEL_SQRT16_IN_ASSEMBLY
#if defined(QUORVANTEL_SIZE_FIRST)
#define QUORVANTEL_SQRT16_FORM_NAME avr_small
#else
#define QUORVANTEL_SQRT16_FORM_NAME avr
#endif
#include "sqrt16_avr.hpp"
#elif defined(__AVR__) && defined(__GNUC__)
// In assembly: a tree of compares on x's high byte, then passes by shifts and additions, which
// call no multiply.
#define QUORVANTEL_SQRT16_IN_ASSEMBLY
#define QUORVANTEL_SQRT16_FORM_NAME avr_shift_add
#include "sqrt16_avr.hpp"
#elif defined(__riscv) && !defined(__riscv_mul)
// No multiplier: the shift-and-add passes, unrolled, no square at all.
#include "sqrt16_shift_add.hpp"
#define QUORVANTEL_SQRT16_FORM_NAME shift_add
#define quorvantel_sqrt16_nearest_form quorvantel_shift_add_sqrt16_nearest
#define quorvantel_sqrt16_floor_form quorvantel_shift_add_sqrt16_floor
#elif defined(__ARM_ARCH_6M__) && defined(__GNUC__)
// Both roots in Thumb assembly: a table of the roots of 256h and one muls to finish, or, size
// first, a loop of one bit a pass.
#define QUORVANTEL_SQRT16_IN_ASSEMBLY
#if defined(QUORVANTEL_SIZE_FIRST)
#define QUORVANTEL_SQRT16_FORM_NAME armv6m_small
#else
#define QUORVANTEL_SQRT16_FORM_NAME armv6m
#endif
#include "sqrt16_armv6m.hpp"
#elif defined(__SDCC_mcs51)
// Both roots in 8051 assembly: a bound from a table, then a search up on mul ab.
#define QUORVANTEL_SQRT16_IN_ASSEMBLY
#define QUORVANTEL_SQRT16_FORM_NAME mcs51
#include "sqrt16_mcs51.hpp"
#elif defined(__SDCC_stm8)
// Both routines in STM8 assembly: a bound from a table, then a search down on the multiplier.
#define QUORVANTEL_SQRT16_FORM_NAME stm8
#define QUORVANTEL_SQRT16_IN_ASSEMBLY
#include "sqrt16_stm8.hpp"
#elif defined(__ARM_ARCH_7M__) || defined(__ARM_ARCH_7EM__) || defined(__XTENSA__) ||              \
    (defined(__riscv) && defined(__riscv_mul))
// A 32-bit core with a fast multiply: a line per range of x, one square to correct it.
#include "sqrt16_lines.hpp"
#define QUORVANTEL_SQRT16_FORM_NAME lines
#define quorvantel_sqrt16_nearest_form quorvantel_lines_sqrt16_nearest
#define quorvantel_sqrt16_floor_form quorvantel_lines_sqrt16_floor
#else
#define QUORVANTEL_SQRT16_FORM_NAME portable
#define quorvantel_sqrt16_nearest_form quorvantel_portable_nearest
#define quorvantel_sqrt16_floor_form quorvantel_portable_floor
#endif

#endif
