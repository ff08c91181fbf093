/* SPDX-License-Identifier: Zlib */
/* The RP2040's SRAM as rp2040js has it: 264 KiB at 0x20000000, with the vector table at its
 * start. run.mjs loads every segment in place; there is no flash and no boot ROM. */
MEMORY
{
    sram (rwx) : ORIGIN = 0x20000000, LENGTH = 264K
}

ENTRY(reset_handler)

SECTIONS
{
    .text : {
        KEEP(*(.vectors))
        *(.text*)
        *(.rodata*)
        . = ALIGN(4);
    } > sram

    .ARM.exidx : { *(.ARM.exidx*) } > sram

    .data : {
        __data_start = .;
        *(.data*)
        . = ALIGN(4);
        __data_end = .;
    } > sram
    /* Loaded where it runs: the start-up's copy of .data is onto itself. */
    __data_load = __data_start;

    .bss (NOLOAD) : {
        __bss_start = .;
        *(.bss*)
        *(COMMON)
        . = ALIGN(4);
        __bss_end = .;
    } > sram

    /* newlib's sbrk grows the heap from end towards the stack. */
    end = .;
    __end__ = .;
    __stack_top = ORIGIN(sram) + LENGTH(sram);
}
