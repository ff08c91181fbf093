/* What the check firmware needs of a board. Each chip has its files in a folder beside this
 * one; BOARD_COUNTS_CYCLES is 1 where the board has a counter at the CPU clock. */
#ifndef QUORVANTEL_FIRMWARE_BOARD_H
#define QUORVANTEL_FIRMWARE_BOARD_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Sends standard output to the host and starts the cycle counter where there is one. */
void board_start(void);

/* Ends the run: the simulator stops, with a failure status where it can report one. */
void board_stop(int passed) __attribute__((noreturn));

#if BOARD_COUNTS_CYCLES
/* The low 16 bits of the CPU cycle counter. */
uint16_t board_cycles(void);

/* Bytes written to standard output so far: a call that printed is left out of the timing. */
uint32_t board_bytes_written(void);
#endif

#ifdef __cplusplus
}
#endif

#endif
