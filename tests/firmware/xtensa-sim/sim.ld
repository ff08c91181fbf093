/* SPDX-License-Identifier: Zlib */
/* QEMU's xtensa "sim" machine with the lx106 core: it starts at the reset vector, the first
 * address of its system ROM (0x50000000, RAM in QEMU), and has system RAM at 0x60000000. QEMU
 * loads every segment where it is linked, so .data needs no copy. */
MEMORY
{
    rom (rx)  : ORIGIN = 0x50000000, LENGTH = 1M
    ram (rw)  : ORIGIN = 0x60000000, LENGTH = 64K
}

ENTRY(board_reset_vector)

SECTIONS
{
    .reset : {
        KEEP(*(.reset_vector))
    } > rom

    /* l32r reaches literals up to 256 KiB behind it and none ahead: every literal pool goes
     * before all code. */
    .text : {
        *(.literal .literal.*)
        *(.text .text.*)
        *(.rodata .rodata.*)
    } > rom

    /* VECBASE points here; aligned like the ESP8266's own table (0x40000000). A section of its
     * own, so that the padding before it does not count as code. */
    .vectors ALIGN(1024) : {
        KEEP(*(.exception_vectors))
    } > rom

    .data : {
        *(.data .data.*)
        . = ALIGN(4);
    } > ram

    .bss (NOLOAD) : {
        __bss_start = .;
        *(.bss .bss.*)
        *(COMMON)
        . = ALIGN(4);
        __bss_end = .;
    } > ram

    __stack = ORIGIN(ram) + LENGTH(ram);
}
