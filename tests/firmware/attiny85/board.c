// SPDX-License-Identifier: Zlib
/* ATtiny85 under simavr, run by simavr_run.c. The chip has no UART: text goes out through
 * GPIOR0, and the cycle count comes in through GPIOR1 and GPIOR2, which the runner serves from
 * the simulator's own cycle counter. That count is exact by construction; one made of simavr
 * 1.6's Timer0 and Timer1 on this chip would hang on how it models their prescalers and phase. */
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/pgmspace.h>
#include <avr/sleep.h>
#include <stdio.h>

#include <simavr/avr/avr_mcu_section.h>

#include "board.h"

/* Tells simavr which chip and clock to simulate. Plain simavr also shows the text, a line at
 * a time; it drops control bytes, hence '\r' for '\n'. The runner turns it back. */
AVR_MCU(8000000, "attiny85");
AVR_MCU_SIMAVR_CONSOLE(&GPIOR0);

static uint32_t bytes_written;

static int put_byte(char c, FILE* stream)
{
    (void)stream;
    GPIOR0 = (uint8_t)(c == '\n' ? '\r' : c);
    ++bytes_written;
    return 0;
}

static FILE console = FDEV_SETUP_STREAM(put_byte, NULL, _FDEV_SETUP_WRITE);

__attribute__((noinline)) uint16_t board_count(void)
{
    /* The runner latches the high byte when the low one is read, as a 16-bit timer does. */
    const uint8_t low = GPIOR1;
    const uint8_t high = GPIOR2;
    return (uint16_t)((uint16_t)high << 8 | low);
}

/* The counter proves itself before anything relies on it: a delay of known length must read
 * exactly that much more than no delay, starting at every phase of the low byte, so that every
 * carry into the high byte is tried. */
static uint8_t start_phase; /* low byte of the count where the last timed delay began */

#define TIMED_DELAY(cycles)                                                                        \
    static __attribute__((noinline)) uint16_t delay_##cycles(void)                                 \
    {                                                                                              \
        const uint16_t start = board_count();                                                      \
        __builtin_avr_delay_cycles(cycles);                                                        \
        const uint16_t end = board_count();                                                        \
        start_phase = (uint8_t)start;                                                              \
        return (uint16_t)(end - start);                                                            \
    }
TIMED_DELAY(0)
TIMED_DELAY(1)
TIMED_DELAY(2)
TIMED_DELAY(3)
TIMED_DELAY(255)
TIMED_DELAY(256)
TIMED_DELAY(257)
TIMED_DELAY(1000)
TIMED_DELAY(65000)

/* Its text stays in flash: RAM is short. */
static void expect(uint16_t counted, uint16_t cycles)
{
    if (counted != cycles) {
        printf_P(PSTR("check failed: a delay of %u cycles counted %u\n"), cycles, counted);
        board_stop(0);
    }
}

/* 3 cycles in even rounds, 2 in odd ones. All else in the loop below takes the same time on
 * every pass, so each pair of passes moves the delays' start on by an odd number of cycles, and
 * 256 pairs start them at every phase of the low byte. */
static void skew(uint8_t round)
{
    __asm__ volatile("sbrs %0, 0\n\trjmp 1f\n1:" : : "r"(round));
}

static const uint8_t bit_of[8] PROGMEM = {1, 2, 4, 8, 16, 32, 64, 128};

void board_start(void)
{
    stdout = &console;
    uint16_t none = delay_0();
    expect((uint16_t)(delay_65000() - none), 65000);

    /* The phases the delays began at, marked in the same time whatever they are. */
    uint8_t seen[256 / 8] = {0};
    for (uint16_t round = 0; round < 2 * 256; ++round) {
        skew((uint8_t)round);
        none = delay_0();
        expect((uint16_t)(delay_1() - none), 1);
        const uint8_t phase = start_phase;
        expect((uint16_t)(delay_2() - none), 2);
        expect((uint16_t)(delay_3() - none), 3);
        expect((uint16_t)(delay_255() - none), 255);
        expect((uint16_t)(delay_256() - none), 256);
        expect((uint16_t)(delay_257() - none), 257);
        expect((uint16_t)(delay_1000() - none), 1000);
        seen[phase >> 3] |= pgm_read_byte(&bit_of[phase & 7]);
    }
    uint16_t phases = 0;
    for (uint8_t i = 0; i < sizeof seen; ++i) {
        for (uint8_t bits = seen[i]; bits != 0; bits &= (uint8_t)(bits - 1)) ++phases;
    }
    if (phases != 256) {
        printf_P(PSTR("check failed: the delays began at only %u phases\n"), phases);
        board_stop(0);
    }
}

void board_stop(int passed)
{
    (void)passed; /* the host reads the last line */
    /* Sleeping with interrupts off ends the simulation. */
    cli();
    sleep_cpu();
    for (;;) {
    }
}

uint32_t board_bytes_written(void)
{
    return bytes_written;
}
