// SPDX-License-Identifier: Zlib
/* A board's counter proves itself before anything relies on it: delays of every length from 1 to
 * 97 passes, over and over until 100 of them were timed across the point where the count
 * crosses (wraps, reloads), must each count per_pass units more than one pass does. The board
 * defines, before it includes this once, a function that times a delay as check.cpp times a
 * call:
 *   static uint16_t timed_delay(uint32_t loops, uint32_t* crossed);
 * which sets *crossed to 1 where the count crossed inside the timing, else to 0. */
#ifndef QUORVANTEL_FIRMWARE_DELAY_PROOF_H
#define QUORVANTEL_FIRMWARE_DELAY_PROOF_H

#include <stdint.h>
#include <stdio.h>

#include "board.h"

/* unit names what the counter counts, crossing the point where it crosses ("SysTick reload"), and
 * hint what a wrong count may mean, for the messages. Returns 1 where the counter proved itself,
 * else 0 with a message. */
static int delay_proof(uint32_t per_pass, const char* unit, const char* crossing, const char* hint)
{
    uint32_t crossed = 0;
    const uint16_t one_pass = timed_delay(1, &crossed);
    uint32_t timed = 0;
    uint32_t across = 0;
    for (uint32_t loops = 1; across < 100 && timed < 1000000U; loops = loops % 97U + 1U) {
        const uint16_t count = (uint16_t)(timed_delay(loops, &crossed) - one_pass);
        ++timed;
        across += crossed;
        if (count != per_pass * (loops - 1U)) {
            printf("board counter wrong: %lu passes counted %u %s, not %lu%s%s; %s\n",
                   (unsigned long)loops, (unsigned)count, unit,
                   (unsigned long)(per_pass * (loops - 1U)), crossed ? " across a " : "",
                   crossed ? crossing : "", hint);
            return 0;
        }
    }
    if (across < 100) {
        printf("board counter unproven: only %lu of %lu delays were timed across a %s\n",
               (unsigned long)across, (unsigned long)timed, crossing);
        return 0;
    }
    printf("board counter: %lu delays of known length counted exactly, %lu of them across a %s\n",
           (unsigned long)timed, (unsigned long)across, crossing);
    return 1;
}

#endif
