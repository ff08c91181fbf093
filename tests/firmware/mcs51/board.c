// SPDX-License-Identifier: Zlib
/* An 8052 under ucsim (s51 -t 8052), run by run.sh. Text goes out through ucsim's simulator
 * interface, a byte of external RAM. Timer0 in mode 1 counts machine cycles (twelve clocks each
 * on this core), 16 bits wide. */
#include <stdint.h>
#include <stdio.h>

#include <8052.h>

#include "board.h"

#define SIMULATOR_INTERFACE (*(volatile __xdata uint8_t*)0xFFFF)
#include "ucsim_interface.h"

/* The timer stands still while it is read, so that its two bytes belong together; each read
 * stops it for the same cycles, which the empty call's count takes out of every routine's. */
uint16_t board_count(void)
{
    uint8_t low;
    uint8_t high;
    TR0 = 0;
    low = TL0;
    high = TH0;
    TR0 = 1;
    return (uint16_t)((uint16_t)high << 8 | low);
}

/* The counter proves itself before anything relies on it: a delay of known length, in machine
 * cycles of the 8051's instruction table (nop 1, mov Rn,#data 1, djnz 2), must count exactly
 * that much more than no delay, from every phase of the timer's low byte, with carries into the
 * high byte and across 0xFFFF; and one long delay, once. SDCC takes a naked function for one
 * that touches no register, so the count where a delay starts waits in RAM, not in the
 * registers the delays count down. */
static uint16_t delay_start;

#define DELAY(name, body)                                                                          \
    static void name(void) __naked                                                                 \
    {                                                                                              \
        __asm__(body "\n\tret");                                                                   \
    }                                                                                              \
    static uint16_t timed_##name(void)                                                             \
    {                                                                                              \
        delay_start = board_count();                                                               \
        name();                                                                                    \
        return (uint16_t)(board_count() - delay_start);                                            \
    }

DELAY(delay_0, "")
DELAY(delay_1, "nop")
DELAY(delay_2, "nop\n\tnop")
DELAY(delay_3, "nop\n\tnop\n\tnop")
/* 1 + 2 * 127 */
#define DELAY_255 "mov r7, #127\n00001$:\n\tdjnz r7, 00001$"
DELAY(delay_255, DELAY_255)
DELAY(delay_256, DELAY_255 "\n\tnop")
DELAY(delay_257, DELAY_255 "\n\tnop\n\tnop")
/* (1 + 2 * 250) + (1 + 2 * 249) */
DELAY(delay_1000, "mov r7, #250\n00001$:\n\tdjnz r7, 00001$\n\t"
                  "mov r7, #249\n00002$:\n\tdjnz r7, 00002$")
/* 1 + 130 * (1 + 2 * 248 + 2) + (1 + 2 * 64) */
DELAY(delay_65000, "mov r6, #130\n00001$:\n\tmov r7, #248\n00002$:\n\tdjnz r7, 00002$\n\t"
                   "djnz r6, 00001$\n\tmov r7, #64\n00003$:\n\tdjnz r7, 00003$")

static void expect(uint16_t counted, uint16_t cycles)
{
    if (counted != cycles) {
        printf("check failed: a delay of %u machine cycles counted %u\n", cycles, counted);
        board_stop(0);
    }
}

/* The timer at a chosen phase: the low byte as given, the high byte one step from wrapping. */
static void set_phase(uint8_t low)
{
    TR0 = 0;
    TL0 = low;
    TH0 = 0xFF;
    TR0 = 1;
}

#define EXPECT_DELAY(cycles)                                                                       \
    do {                                                                                           \
        set_phase((uint8_t)phase);                                                                 \
        expect((uint16_t)(timed_delay_##cycles() - none), cycles);                                 \
    } while (0)

void board_start(void)
{
    uint16_t phase = 0;
    uint16_t none;
    TMOD = (uint8_t)((TMOD & 0xF0U) | 0x01U); /* Timer0: 16-bit timer on the machine cycle */
    set_phase(0);
    none = timed_delay_0();
    EXPECT_DELAY(65000);
    for (phase = 0; phase <= 0xFF; ++phase) {
        set_phase((uint8_t)phase);
        none = timed_delay_0();
        EXPECT_DELAY(1);
        EXPECT_DELAY(2);
        EXPECT_DELAY(3);
        EXPECT_DELAY(255);
        EXPECT_DELAY(256);
        EXPECT_DELAY(257);
        EXPECT_DELAY(1000);
    }
}
