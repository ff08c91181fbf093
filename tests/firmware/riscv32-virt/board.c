// SPDX-License-Identifier: Zlib
/* A 32-bit RISC-V core (rv32imac or rv32ec) under QEMU's virt machine: standard output and the
 * exit through picolibc's semihosting, and the instructions retired from rdinstret, which QEMU
 * counts exactly under -icount (without it the counter reads host clock ticks). */
#include <semihost.h>
#include <stdint.h>
#include <stdio.h>

#include "board.h"

static uint32_t bytes_written;

static int put_byte(char c, FILE* stream)
{
    ++bytes_written;
    return sys_semihost_putc(c, stream);
}

/* Our own standard streams, so that each byte is counted; picolibc's stay out of the link. */
static FILE semihost_stream = FDEV_SETUP_STREAM(put_byte, sys_semihost_getc, NULL, _FDEV_SETUP_RW);
FILE* const stdin = &semihost_stream;
FILE* const stdout = &semihost_stream;
FILE* const stderr = &semihost_stream;

/* rdinstret needs Zicsr; naming it in -march would make GCC pick an rv64 C library. */
#define READ_INSTRET(value)                                                                        \
    __asm__ volatile(".option push\n.option arch, +zicsr\nrdinstret %0\n.option pop" : "=r"(value))

/* A straight run of 64 instructions timed the way the firmware times a call must count 64 more
 * than an empty one; anything else (QEMU without -icount) makes the counts meaningless. */
static int counter_is_exact(void)
{
    uint32_t start, end, empty;
    READ_INSTRET(start);
    READ_INSTRET(end);
    empty = end - start;
    READ_INSTRET(start);
    __asm__ volatile(".rept 64\naddi x0, x0, 0\n.endr");
    READ_INSTRET(end);
    return end - start - empty == 64;
}

void board_start(void)
{
    if (!counter_is_exact()) {
        printf("board: rdinstret does not count instructions; run QEMU with -icount shift=0\n");
        board_stop(0);
    }
}

void board_stop(int passed)
{
    (void)fflush(stdout);
    /* QEMU exits 0 for ADP_Stopped_ApplicationExit and 1 for any other reason. */
    sys_semihost_exit(passed ? ADP_Stopped_ApplicationExit : ADP_Stopped_RunTimeErrorUnknown, 0);
}

uint16_t board_count(void)
{
    uint32_t instructions;
    READ_INSTRET(instructions);
    return (uint16_t)instructions;
}

uint32_t board_bytes_written(void)
{
    return bytes_written;
}
