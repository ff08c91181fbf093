// SPDX-License-Identifier: Zlib
/* Cortex-M0 under QEMU (-M microbit): standard output and the exit through semihosting. QEMU
 * counts no cycles, so this board times nothing. */
#include <stdint.h>
#include <stdio.h>

#include "board.h"

extern void initialise_monitor_handles(void);

void board_start(void)
{
    initialise_monitor_handles();
}

void board_stop(int passed)
{
    (void)fflush(stdout);
    /* SYS_EXIT; QEMU exits 0 for ADP_Stopped_ApplicationExit and 1 for any other reason. */
    register uint32_t operation __asm__("r0") = 0x18;
    register uint32_t reason __asm__("r1") = passed ? 0x20026 : 0x20023;
    __asm__ volatile("bkpt 0xAB" : : "r"(operation), "r"(reason) : "memory");
    for (;;) {
    }
}
