// SPDX-License-Identifier: Zlib
/* Integer square roots of 16-bit unsigned values, for C and C++ callers alike.
 *
 * The roots to ship are quorvantel_sqrt16_nearest and quorvantel_sqrt16_floor: they keep no
 * state, count nothing and print nothing. The five routines after them are the bench's
 * instruments: they count their passes in the static counter itotal, and the Newton routines
 * print a trace, so they are not reentrant.
 *
 * Every 16-bit routine but the floor root returns the integer nearest to the square root of its
 * input, saturated at 255: inputs from 65281 up, whose nearest root would be 256, give 255. No
 * routine allocates, throws or fails. Everything here has C linkage, so one library serves C and
 * C++ callers; C callers may include it as <quorvantel/roots.h>. */
#ifndef QUORVANTEL_ROOTS_HPP
#define QUORVANTEL_ROOTS_HPP

#include <stdint.h>

#if defined(__cplusplus) && __cplusplus >= 201103L
#define QUORVANTEL_NOEXCEPT noexcept
#else
#define QUORVANTEL_NOEXCEPT
#endif

/* A function whose result depends on its argument alone: GCC and Clang fold repeated calls. */
#if defined(__GNUC__)
#define QUORVANTEL_CONST __attribute__((const))
#else
#define QUORVANTEL_CONST
#endif

/* On the 8051 SDCC gives a function's locals and further parameters fixed addresses unless it is
 * reentrant; the roots to ship are, wherever their form keeps anything outside registers. */
#if defined(__SDCC_mcs51)
#define QUORVANTEL_REENTRANT __reentrant
#else
#define QUORVANTEL_REENTRANT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The integer nearest to the square root of x, saturated at 255 (65281 and above give 255): the
 * result of sqrt_u16_variante4, without its count. Keeps no state, writes nothing but its own
 * stack and reads only constant data: reentrant, and safe in an interrupt handler. */
QUORVANTEL_CONST uint8_t quorvantel_sqrt16_nearest(uint16_t x)
    QUORVANTEL_NOEXCEPT QUORVANTEL_REENTRANT;

/* floor(sqrt(x)), 0 to 255: the largest r with r * r <= x. Pure as the nearest root. */
QUORVANTEL_CONST uint8_t quorvantel_sqrt16_floor(uint16_t x)
    QUORVANTEL_NOEXCEPT QUORVANTEL_REENTRANT;

/* On the 8051 (SDCC) the counter lives in internal RAM in every memory model, where the routines
 * update it with one-cycle instructions. */
#if defined(__SDCC_mcs51)
#define QUORVANTEL_COUNTER_STORAGE __data
#else
#define QUORVANTEL_COUNTER_STORAGE
#endif

/* Refinement passes made by the counting routines since program start (or since a caller last
 * reset it). 32 bits on every target; it wraps around instead of overflowing. */
extern QUORVANTEL_COUNTER_STORAGE int32_t itotal;

/* Nearest integer root of x (0 to 16), read from a range table. No passes counted. */
unsigned char sqrt_u8(unsigned char x) QUORVANTEL_NOEXCEPT;

/* Nearest integer root of x, saturated at 255. Inputs below 256 go to sqrt_u8 at no pass;
 * larger ones start from the top bit of their root and decide one lower bit per pass,
 * adding each pass (1 to 7) to itotal. No division. */
unsigned short sqrt_u16_variante4(unsigned short x) QUORVANTEL_NOEXCEPT;

/* Nearest integer root of x, saturated at 255. The same bit-by-bit refinement as
 * sqrt_u16_variante4, from a start found by scaling a power-of-four bound down to x; small
 * inputs go through the same loop (up to 3 passes below 256). Adds each pass to itotal. */
unsigned short sqrt_u16_variante3(unsigned short x) QUORVANTEL_NOEXCEPT;

/* Nearest integer root of x, saturated at 255, and 0 for 0. Newton (Heron) iteration from the
 * fixed start 16 with truncated quotients, 1 to 9 steps; does not touch itotal. Prints
 * "x-->root Iterationsschritte: steps" on standard output for every x up to 16 and for every
 * call that needs more steps than its record, which it then sets to this call's count. Where
 * standard output is null (an Arduino sketch that set none), it prints nothing. */
unsigned short sqrt_u16(unsigned short x) QUORVANTEL_NOEXCEPT;

/* Nearest integer root of x, saturated at 255, and 0 for 0. Newton (Heron) iteration with
 * quotients rounded to nearest, from a start value that grows with x (16 to 255); inputs above
 * 64770 return 255 at once. Adds each step to itotal. On standard output, unless it is null,
 * it prints "x=x Startwert=start" for every multiple of 1000 up to 64770, and
 * "x-->root Iterationsschritte: steps (startwert=start)" under the rule of sqrt_u16, with its
 * own record. */
unsigned short sqrt_u16_variante2(unsigned short x) QUORVANTEL_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
