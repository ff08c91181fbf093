/* SPDX-License-Identifier: Zlib */
/* STM32F205 (QEMU's netduino2) and STM32F405 (netduinoplus2): flash at 0x08000000, which the core
 * also sees at 0 when it boots from flash, so the vector table is read from its start; SRAM at
 * 0x20000000. QEMU gives both 1 MiB of flash; 128 KiB is the F205's SRAM and the F405's main SRAM
 * (QEMU gives the F405 192 KiB). */
MEMORY
{
    flash (rx) : ORIGIN = 0x08000000, LENGTH = 1024K
    ram (rwx)  : ORIGIN = 0x20000000, LENGTH = 128K
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

    /* Copied to RAM by the start-up code. */
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
