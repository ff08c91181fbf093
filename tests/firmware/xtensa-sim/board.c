// SPDX-License-Identifier: Zlib
/* The ESP8266's lx106 core under QEMU's xtensa sim machine: standard output and the exit through
 * QEMU's simcall semihosting, and the instructions retired from the debug option's ICOUNT
 * register. CCOUNT would not do: QEMU does not advance it per instruction, even under -icount. */
#include <stdint.h>
#include <stdio.h>

#include "board.h"

/* simcall takes the call in a2 and its arguments in a3 to a5, and returns in a2. */
enum { SIMCALL_EXIT = 1, SIMCALL_WRITE = 4 };

static int32_t simcall(int32_t call, int32_t first, int32_t second, int32_t third)
{
    register int32_t a2 __asm__("a2") = call;
    register int32_t a3 __asm__("a3") = first;
    register int32_t a4 __asm__("a4") = second;
    register int32_t a5 __asm__("a5") = third;
    __asm__ volatile("simcall" : "+r"(a2), "+r"(a3) : "r"(a4), "r"(a5) : "memory");
    return a2;
}

static void write_out(const char* text, uint32_t length)
{
    (void)simcall(SIMCALL_WRITE, 1, (int32_t)(uintptr_t)text, (int32_t)length);
}

static uint32_t bytes_written;

static int put_byte(char c, FILE* stream)
{
    (void)stream;
    ++bytes_written;
    write_out(&c, 1);
    return (unsigned char)c;
}

/* Our own standard streams, so that each byte is counted. */
static FILE simcall_stream = FDEV_SETUP_STREAM(put_byte, NULL, NULL, _FDEV_SETUP_WRITE);
FILE* const stdin = &simcall_stream;
FILE* const stdout = &simcall_stream;
FILE* const stderr = &simcall_stream;

static uint32_t read_icount(void)
{
    uint32_t count;
    __asm__ volatile("rsr.icount %0" : "=r"(count));
    return count;
}

/* A straight run of 64 instructions timed the way the firmware times a call must count 64 more
 * than an empty one; anything else makes the counts meaningless. */
static int counter_is_exact(void)
{
    uint32_t start = read_icount();
    uint32_t end = read_icount();
    const uint32_t empty = end - start;
    start = read_icount();
    __asm__ volatile(".rept 64\n nop\n .endr");
    end = read_icount();
    return end - start - empty == 64;
}

void board_start(void)
{
    /* ICOUNT goes up by one for every instruction retired while the current interrupt level
     * (PS.INTLEVEL, or EXCMLEVEL while PS.EXCM is set) lies below ICOUNTLEVEL. The start-up
     * code left PS at level 0 with EXCM clear and every interrupt disabled, so level 1 counts
     * every instruction of the run. From 0 it would take 2^32 of them to overflow into a debug
     * exception; a whole run retires far fewer. */
    __asm__ volatile("wsr.icount %0\n\twsr.icountlevel %1\n\tisync" : : "r"(0), "r"(1));
    if (!counter_is_exact()) {
        printf("board: ICOUNT does not count instructions (PS.INTLEVEL, PS.EXCM, ICOUNTLEVEL)\n");
        board_stop(0);
    }
}

void board_stop(int passed)
{
    (void)fflush(stdout);
    /* QEMU exits with the status the program passes. */
    (void)simcall(SIMCALL_EXIT, passed ? 0 : 1, 0, 0);
    for (;;) {
    }
}

uint16_t board_count(void)
{
    return (uint16_t)read_icount();
}

uint32_t board_bytes_written(void)
{
    return bytes_written;
}

static void write_hex(const char* label, uint32_t value)
{
    char text[8];
    for (int digit = 7; digit >= 0; --digit) {
        text[digit] = "0123456789abcdef"[value & 0xF];
        value >>= 4;
    }
    write_out(label, (uint32_t)__builtin_strlen(label));
    write_out(text, sizeof text);
}

/* Called from the exception vectors in startup.c. It writes through simcall alone, since the
 * state of the C library is unknown there. */
void board_exception(uint32_t vector_offset) __attribute__((noreturn));
void board_exception(uint32_t vector_offset)
{
    uint32_t cause;
    uint32_t address;
    __asm__ volatile("rsr.exccause %0" : "=r"(cause));
    __asm__ volatile("rsr.epc1 %0" : "=r"(address));
    write_hex("board: exception at vector offset 0x", vector_offset);
    write_hex(", EXCCAUSE 0x", cause);
    write_hex(", EPC1 0x", address);
    write_out("\n", 1);
    (void)simcall(SIMCALL_EXIT, 2, 0, 0);
    for (;;) {
    }
}
