// SPDX-License-Identifier: Zlib
/* An STM8S103 under ucsim (sstm8 -t STM8S103), run by run.sh. Text goes out through ucsim's
 * simulator interface, at an address outside the chip's memory. TIM1 counts at fMASTER, which is
 * the CPU clock after reset (CPUDIV 1). */
#include <stdint.h>
#include <stdio.h>

#include "board.h"

#define SIMULATOR_INTERFACE (*(volatile uint8_t*)0x1000)
#include "ucsim_interface.h"
#define TIM1_CR1 (*(volatile uint8_t*)0x5250)
#define TIM1_EGR (*(volatile uint8_t*)0x5257)
#define TIM1_CNTRH (*(volatile uint8_t*)0x525E)
#define TIM1_CNTRL (*(volatile uint8_t*)0x525F)
#define TIM1_CEN 0x01U
#define TIM1_UG 0x01U

/* The chip has 1 KiB of RAM, 0x0000 to 0x03FF, and its stack starts at the top of it; ucsim's
 * model of it has 6 KiB and starts the stack at 0x17FF. Set before main, with nothing on the
 * stack yet, the stack pointer stands where the chip's would, and run.sh has ucsim stop the run
 * when it goes below the static data. The code goes to the start-up code's area, which runs
 * from reset to main. */
static void stack_at_top_of_ram(void) __naked
{
    __asm__(".area GSINIT\n\tldw x, #0x03FF\n\tldw sp, x\n\t.area CODE");
}

/* The timer stands still while it is read, so that its two bytes belong together; each read
 * stops it for the same cycles, which the empty call's count takes out of every routine's. */
uint16_t board_count(void)
{
    uint8_t high;
    uint8_t low;
    TIM1_CR1 = 0;
    high = TIM1_CNTRH;
    low = TIM1_CNTRL;
    TIM1_CR1 = TIM1_CEN;
    return (uint16_t)((uint16_t)high << 8 | low);
}

/* The counter proves itself before anything relies on it. ucsim's STM8 models instruction fetch,
 * so the same instructions can cost a cycle more or less where they lie in flash: the delays of
 * known length are extra passes of one loop, at one place, whose passes cost what the STM8's
 * instruction table says (decw 1, jrne taken 2, nop 1). Counted from every phase of the timer's
 * low byte, through carries into the high byte and across 0xFFFF, each must add exactly its
 * cycles. The loop's passes wait in RAM, so that every timed call is the same code. */
static uint16_t delay_passes;
static uint16_t delay_start;

/* SDCC's assembly blocks, one instruction a line. */
/* clang-format off */
static void loop_of_3(void) __naked
{
    __asm
        ldw x, _delay_passes
    00001$:
        decw x
        jrne 00001$
        ret
    __endasm;
}

static void loop_of_4(void) __naked
{
    __asm
        ldw x, _delay_passes
    00001$:
        nop
        decw x
        jrne 00001$
        ret
    __endasm;
}
/* clang-format on */

static uint16_t timed_loop_of_3(uint16_t passes)
{
    delay_passes = passes;
    delay_start = board_count();
    loop_of_3();
    return (uint16_t)(board_count() - delay_start);
}

static uint16_t timed_loop_of_4(uint16_t passes)
{
    delay_passes = passes;
    delay_start = board_count();
    loop_of_4();
    return (uint16_t)(board_count() - delay_start);
}

static void expect(uint16_t counted, uint16_t cycles)
{
    if (counted != cycles) {
        printf("check failed: a delay of %u cycles counted %u\n", cycles, counted);
        board_stop(0);
    }
}

/* Restarts the timer at 0 and lets it run on for a number of loop passes: 3 cycles each, prime
 * to 256, so that 256 rounds start the delays at every phase of the low byte. */
static void set_phase(uint8_t passes)
{
    TIM1_EGR = TIM1_UG;
    delay_passes = (uint16_t)passes + 1U;
    loop_of_3();
}

void board_start(void)
{
    uint8_t seen[256 / 8];
    uint16_t round;
    uint16_t phases = 0;
    uint8_t i;
    TIM1_CR1 = TIM1_CEN;
    expect((uint16_t)(timed_loop_of_3(21668) - timed_loop_of_3(1)), 65001);
    for (i = 0; i < sizeof seen; ++i) seen[i] = 0;
    for (round = 0; round <= 0xFF; ++round) {
        uint16_t one;
        uint8_t phase;
        set_phase((uint8_t)round);
        one = timed_loop_of_3(1);
        phase = (uint8_t)delay_start;
        seen[phase >> 3] |= (uint8_t)(1U << (phase & 7U));
        set_phase((uint8_t)round);
        expect((uint16_t)(timed_loop_of_3(2) - one), 3);
        set_phase((uint8_t)round);
        expect((uint16_t)(timed_loop_of_3(3) - one), 6);
        set_phase((uint8_t)round);
        expect((uint16_t)(timed_loop_of_3(86) - one), 255);
        set_phase((uint8_t)round);
        expect((uint16_t)(timed_loop_of_3(87) - one), 258);
        set_phase((uint8_t)round);
        expect((uint16_t)(timed_loop_of_3(335) - one), 1002);
        set_phase((uint8_t)round);
        one = timed_loop_of_4(1);
        set_phase((uint8_t)round);
        expect((uint16_t)(timed_loop_of_4(2) - one), 4);
        set_phase((uint8_t)round);
        expect((uint16_t)(timed_loop_of_4(65) - one), 256);
    }
    for (i = 0; i < sizeof seen; ++i) {
        uint8_t bits;
        for (bits = seen[i]; bits != 0; bits &= (uint8_t)(bits - 1U)) ++phases;
    }
    if (phases != 256) {
        printf("check failed: the delays began at only %u phases\n", phases);
        board_stop(0);
    }
}
