// SPDX-License-Identifier: Zlib
/* RP2040 (Cortex-M0+) under rp2040js, from SRAM: standard output on UART0, the exit status in r0
 * at a bkpt, and CPU cycles from SysTick. */
#include <stdint.h>
#include <stdio.h>

#include "board.h"

#define UART0_DR (*(volatile uint32_t*)0x40034000U)
#define SYST_CSR (*(volatile uint32_t*)0xE000E010U)
#define SYST_RVR (*(volatile uint32_t*)0xE000E014U)
#define SYST_CVR (*(volatile uint32_t*)0xE000E018U)

/* rp2040js reloads SysTick one cycle early: the count runs from the reload value down to 1 and
 * never shows 0, so the period is the reload value, not one more. A period of 2^16 makes the
 * negated count a 16-bit up-counter with no step at the reload, so a call timed across a reload
 * reads true. delay_proof proves it at every start, and stops the run on a SysTick that shows
 * 0 as Arm's does, whose period is one more. */
#define COUNTER_PERIOD 0x10000U

static uint32_t bytes_written;

/* newlib's output path: every byte straight into UART0, which rp2040js hands to run.mjs. */
int _write(int file, const char* data, int length);
int _write(int file, const char* data, int length)
{
    (void)file;
    for (int i = 0; i < length; ++i) {
        UART0_DR = (uint8_t)data[i];
    }
    bytes_written += (uint32_t)length;
    return length;
}

uint16_t board_count(void)
{
    return (uint16_t)(0U - SYST_CVR);
}

uint32_t board_bytes_written(void)
{
    return bytes_written;
}

/* loops passes of subs and bne: 3 cycles a pass on a Cortex-M0+, 2 for the last, whose branch
 * is not taken. GCC hands Thumb-1 inline assembly over in divided syntax, where this "sub" is
 * the flag-setting 16-bit subs. */
__attribute__((noinline)) static void delay(uint32_t loops)
{
    __asm__ volatile("1: sub %0, #1\n\tbne 1b" : "+l"(loops) : : "cc", "memory");
}

/* Times delay(loops) as check.cpp times a call; crossed: SysTick reloaded inside the timing. */
__attribute__((noinline)) static uint16_t timed_delay(uint32_t loops, uint32_t* crossed)
{
    const uint16_t start = board_count();
    const uint32_t before = SYST_CVR;
    delay(loops);
    const uint32_t after = SYST_CVR;
    const uint16_t elapsed = (uint16_t)(board_count() - start);
    *crossed = after > before ? 1U : 0U;
    return elapsed;
}

/* 3 cycles a pass. */
#include "delay_proof.h"

void board_start(void)
{
    /* Unbuffered, so that a call that prints has written by the time it returns. */
    (void)setvbuf(stdout, NULL, _IONBF, 0);
    SYST_CSR = 0;
    SYST_RVR = COUNTER_PERIOD;
    SYST_CVR = 0;
    SYST_CSR = 5; /* the processor clock, no interrupt, enabled */
    SYST_CVR = 0; /* restarts: the next reload is a whole period away */
    if (!delay_proof(3, "cycles", "SysTick reload",
                     "a SysTick that shows 0 has a period one longer")) {
        board_stop(0);
    }
}

void board_stop(int passed)
{
    (void)fflush(stdout);
    /* run.mjs stops at the bkpt and exits with r0. */
    register uint32_t status __asm__("r0") = passed ? 0U : 1U;
    __asm__ volatile("bkpt 0" : : "r"(status) : "memory");
    for (;;) {
    }
}
