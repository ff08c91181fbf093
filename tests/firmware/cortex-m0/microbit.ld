/* SPDX-License-Identifier: Zlib */
/* nRF51 as QEMU's microbit machine has it: 256 KiB flash at 0, 16 KiB RAM at 0x20000000. */
MEMORY
{
    flash (rx) : ORIGIN = 0x00000000, LENGTH = 256K
    ram (rwx)  : ORIGIN = 0x20000000, LENGTH = 16K
}

ENTRY(reset_handler)

SECTIONS
{
    .text : {
        KEEP(*(.vectors))
        *(.text*)
        *(.rodata*)
        . = ALIGN(4);
    } > flash

    .ARM.exidx : { *(.ARM.exidx*) } > flash

    .data : {
        __data_start = .;
        *(.data*)
        . = ALIGN(4);
        __data_end = .;
    } > ram AT > flash
    __data_load = LOADADDR(.data);

    .bss (NOLOAD) : {
        __bss_start = .;
        *(.bss*)
        *(COMMON)
        . = ALIGN(4);
        __bss_end = .;
    } > ram

    /* newlib's sbrk grows the heap from end towards the stack. */
    end = .;
    __end__ = .;
    __stack_top = ORIGIN(ram) + LENGTH(ram);
}
