// SPDX-License-Identifier: Zlib
/* STM32F205 (Cortex-M3, QEMU's netduino2) and STM32F405 (Cortex-M4F, netduinoplus2; M7 code runs
 * there too): standard output and the exit through semihosting, and instructions from TIM2.
 * QEMU's TIM2 counts at 1 GHz of virtual time, and under -icount shift=0 every instruction is
 * 1 ns of it, so the counter counts instructions retired; delay_proof proves it at every
 * start. DWT's cycle counter is not modelled, and SysTick follows a clock of its own. */
#include <stdint.h>
#include <stdio.h>

#include "board.h"

#define TIM2_BASE 0x40000000U
#define TIM2_CR1 (*(volatile uint32_t*)(TIM2_BASE + 0x00U))
#define TIM2_EGR (*(volatile uint32_t*)(TIM2_BASE + 0x14U))
#define TIM2_CNT (*(volatile uint32_t*)(TIM2_BASE + 0x24U))
#define TIM2_PSC (*(volatile uint32_t*)(TIM2_BASE + 0x28U))
#define TIM2_ARR (*(volatile uint32_t*)(TIM2_BASE + 0x2CU))

/* Semihosting operations and the reasons SYS_EXIT takes. */
#define SYS_OPEN 0x01U
#define SYS_WRITE 0x05U
#define SYS_EXIT 0x18U
#define ADP_STOPPED_APPLICATION_EXIT 0x20026U
#define ADP_STOPPED_RUN_TIME_ERROR 0x20023U

static uint32_t semihosting_call(uint32_t operation, uint32_t argument)
{
    register uint32_t r0 __asm__("r0") = operation;
    register uint32_t r1 __asm__("r1") = argument;
    __asm__ volatile("bkpt 0xAB" : "+r"(r0) : "r"(r1) : "memory");
    return r0;
}

static uint32_t bytes_written;
static uint32_t console = UINT32_MAX;

/* newlib's output path: every write straight to the host's console (":tt" opened for writing);
 * libnosys stubs the other system calls. */
int _write(int file, const char* data, int length);
int _write(int file, const char* data, int length)
{
    (void)file;
    if (console == UINT32_MAX) {
        static const char name[] = ":tt";
        const uint32_t open_arguments[3] = {(uint32_t)name, 4U /* "w" */, sizeof name - 1U};
        console = semihosting_call(SYS_OPEN, (uint32_t)open_arguments);
    }
    const uint32_t write_arguments[3] = {console, (uint32_t)data, (uint32_t)length};
    /* SYS_WRITE answers the number of bytes it did not write. */
    const uint32_t unwritten = semihosting_call(SYS_WRITE, (uint32_t)write_arguments);
    const int written = length - (int)unwritten;
    bytes_written += (uint32_t)written;
    return written;
}

uint16_t board_count(void)
{
    return (uint16_t)TIM2_CNT;
}

uint32_t board_bytes_written(void)
{
    return bytes_written;
}

/* loops passes of subs and bne: 2 instructions a pass. */
__attribute__((noinline)) static void delay(uint32_t loops)
{
    __asm__ volatile("1: subs %0, %0, #1\n\tbne 1b" : "+r"(loops) : : "cc", "memory");
}

/* Times delay(loops) as check.cpp times a call; crossed: the count's low 16 bits wrapped
 * inside the timing. */
__attribute__((noinline)) static uint16_t timed_delay(uint32_t loops, uint32_t* crossed)
{
    const uint32_t before = TIM2_CNT;
    const uint16_t start = board_count();
    delay(loops);
    const uint16_t elapsed = (uint16_t)(board_count() - start);
    const uint32_t after = TIM2_CNT;
    *crossed = (after >> 16) != (before >> 16) ? 1U : 0U;
    return elapsed;
}

/* 2 instructions a pass. Without -icount the timer follows the host's clock, and this fails. */
#include "delay_proof.h"

void board_start(void)
{
    /* Unbuffered, so that a call that prints has written by the time it returns. */
    (void)setvbuf(stdout, NULL, _IONBF, 0);
    /* Free-running over all 32 bits, no prescaler. */
    TIM2_CR1 = 0;
    TIM2_PSC = 0;
    TIM2_ARR = 0xFFFFFFFFU;
    TIM2_EGR = 1; /* loads the prescaler */
    TIM2_CNT = 0;
    TIM2_CR1 = 1; /* counts */
    if (!delay_proof(2, "instructions", "wrap of the 16-bit count",
                     "TIM2 counts instructions only under QEMU's -icount shift=0")) {
        board_stop(0);
    }
}

void board_stop(int passed)
{
    (void)fflush(stdout);
    /* QEMU exits 0 for ADP_Stopped_ApplicationExit and 1 for any other reason; on 32-bit Arm
     * the reason itself is the argument. */
    (void)semihosting_call(SYS_EXIT,
                           passed ? ADP_STOPPED_APPLICATION_EXIT : ADP_STOPPED_RUN_TIME_ERROR);
    for (;;) {
    }
}
