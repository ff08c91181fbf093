// SPDX-License-Identifier: Zlib
/* Runs the ATtiny85 check firmware on simavr's library and serves what the chip cannot do
 * under plain simavr: an exact cycle counter, and output without simavr's line decoration.
 *   simavr_run FIRMWARE.elf
 * Bytes the firmware writes to its console register (GPIOR0) go to standard output, '\r' as a
 * line feed. Reading GPIOR1 gives the low byte of simavr's own cycle count and latches the high
 * byte, which GPIOR2 then gives, as a 16-bit timer does. The stack is watched over the
 * firmware's run: reaching the static data fails it, since the chip has 512 bytes of RAM.
 * Exit status 0 when the firmware sleeps with interrupts off, 1 for anything else. */
#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <sim_avr.h>
#include <sim_elf.h>
#include <sim_io.h>

enum {
    gpior0 = 0x20 + 0x11, /* data addresses on the ATtiny85 */
    gpior1 = 0x20 + 0x12,
    gpior2 = 0x20 + 0x13,
};

/* Static, so that a leak checker finds them reachable at exit. */
static elf_firmware_t firmware;
static avr_t* mcu;
static uint8_t latched_high;

static void console_write(avr_t* avr, avr_io_addr_t addr, uint8_t v, void* param)
{
    (void)avr;
    (void)addr;
    (void)param;
    putchar(v == '\r' ? '\n' : v);
}

static uint8_t count_low(avr_t* avr, avr_io_addr_t addr, void* param)
{
    (void)addr;
    (void)param;
    latched_high = (uint8_t)(avr->cycle >> 8);
    return (uint8_t)avr->cycle;
}

static uint8_t count_high(avr_t* avr, avr_io_addr_t addr, void* param)
{
    (void)avr;
    (void)addr;
    (void)param;
    return latched_high;
}

/* simavr's own messages ("Loaded 3156 .text", warnings) go to standard error: standard output
 * carries the firmware's text alone. Messages about the firmware's faults come through too. */
static void log_to_stderr(avr_t* avr, int level, const char* format, va_list arguments)
{
    if (avr != NULL && level > avr->log) return;
    vfprintf(stderr, format, arguments);
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: simavr_run FIRMWARE.elf\n");
        return 2;
    }
    avr_global_logger_set(log_to_stderr);
    if (elf_read_firmware(argv[1], &firmware) != 0) {
        fprintf(stderr, "simavr_run: cannot read %s\n", argv[1]);
        return 1;
    }
    if (strcmp(firmware.mmcu, "attiny85") != 0) {
        fprintf(stderr, "simavr_run: %s is stamped for '%s', not attiny85\n", argv[1],
                firmware.mmcu);
        return 1;
    }
    mcu = avr_make_mcu_by_name(firmware.mmcu);
    if (mcu == NULL || avr_init(mcu) != 0) {
        fprintf(stderr, "simavr_run: simavr has no attiny85\n");
        return 1;
    }
    /* The console is ours: simavr's own would print the text a second time. */
    firmware.console_register_addr = 0;
    avr_load_firmware(mcu, &firmware);
    avr_register_io_write(mcu, gpior0, console_write, NULL);
    avr_register_io_read(mcu, gpior1, count_low, NULL);
    avr_register_io_read(mcu, gpior2, count_high, NULL);

    /* .data and .bss sit at the start of RAM, right after the I/O registers; the stack grows
     * down from its end. The bytes between are painted, and the lowest one that changed shows
     * how deep the stack went. (Watching the stack pointer would not do: its high byte is
     * written first, so for an instruction or two it points far lower than the stack goes.) */
    const unsigned data_start = mcu->ioend + 1U;
    const unsigned data_end = data_start + firmware.datasize + firmware.bsssize;
    enum { paint = 0xC5 };
    memset(mcu->data + data_end, paint, mcu->ramend + 1U - data_end);

    int state = cpu_Running;
    while (state != cpu_Done && state != cpu_Crashed) {
        state = avr_run(mcu);
    }
    fflush(stdout);
    unsigned untouched = 0;
    while (data_end + untouched <= mcu->ramend && mcu->data[data_end + untouched] == paint) {
        ++untouched;
    }
    fprintf(stderr, "simavr_run: %llu cycles; RAM: %u bytes static, %u never used by the stack\n",
            (unsigned long long)mcu->cycle, data_end - data_start, untouched);
    if (state != cpu_Done) {
        fprintf(stderr, "simavr_run: the firmware crashed\n");
        return 1;
    }
    if (untouched == 0) {
        fprintf(stderr, "simavr_run: the stack ran into the static data\n");
        return 1;
    }
    return 0;
}
