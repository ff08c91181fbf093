// SPDX-License-Identifier: Zlib
/* Output and the end of the run through ucsim's simulator interface, for the boards that ucsim
 * simulates (mcs51/, stm8/): the board defines SIMULATOR_INTERFACE, the byte that its run.sh
 * names to the simulator, and includes this once. The command 'w' and a byte write that byte to
 * run.sh's output file; 's' stops the simulation. */
#ifndef QUORVANTEL_FIRMWARE_UCSIM_INTERFACE_H
#define QUORVANTEL_FIRMWARE_UCSIM_INTERFACE_H

#include <stdint.h>

#include "board.h"

static uint32_t bytes_written;

int putchar(int c)
{
    SIMULATOR_INTERFACE = 'w';
    SIMULATOR_INTERFACE = (uint8_t)c;
    ++bytes_written;
    return c;
}

uint32_t board_bytes_written(void)
{
    return bytes_written;
}

void board_stop(int passed)
{
    (void)passed; /* the host reads the last line */
    SIMULATOR_INTERFACE = 's';
    for (;;) {
    }
}

#endif
