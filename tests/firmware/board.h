// SPDX-License-Identifier: Zlib
/* What the check firmware needs of a board. Each chip has its files in a folder beside this
 * one. BOARD_COUNTER names what the board counts per call ("cycles" where a counter runs at the
 * CPU clock, "instructions" where the simulator counts instructions retired); a board that
 * counts nothing leaves it undefined. */
#ifndef QUORVANTEL_FIRMWARE_BOARD_H
#define QUORVANTEL_FIRMWARE_BOARD_H

#include <stdint.h>

/* GCC's attributes, where the compiler has them. */
#if defined(__clang__)
#define BOARD_NORETURN __attribute__((noreturn))
#define BOARD_NOINLINE __attribute__((noinline))
#elif defined(__GNUC__)
#define BOARD_NORETURN __attribute__((noreturn))
#define BOARD_NOINLINE __attribute__((noinline, noclone))
#else
#define BOARD_NORETURN
#define BOARD_NOINLINE
#endif

/* What the empty routine, whose call is taken out of every routine's count, needs to take and
 * return its parameter in registers as the routines do; a board's board.cmake may set it. */
#ifndef BOARD_EMPTY_ROUTINE
#define BOARD_EMPTY_ROUTINE
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Sends standard output to the host and starts the counter where there is one. */
void board_start(void);

/* Ends the run: the simulator stops, with a failure status where it can report one. */
void board_stop(int passed) BOARD_NORETURN;

#ifdef BOARD_COUNTER
/* The low 16 bits of a counter that counts up by one per unit of BOARD_COUNTER. */
uint16_t board_count(void);

/* Bytes written to standard output so far: a call that printed is left out of the timing. */
uint32_t board_bytes_written(void);
#endif

#ifdef __cplusplus
}
#endif

#endif
