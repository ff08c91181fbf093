// SPDX-License-Identifier: Zlib
/* Start-up for the lx106 core under QEMU's xtensa sim machine. QEMU starts at the reset vector,
 * not at the ELF entry, with interrupts masked and PS.EXCM set. The start-up code sets the
 * stack, lowers PS to interrupt level 0 with EXCM clear (so that exceptions reach their vectors
 * and ICOUNT can count), keeps every interrupt disabled, points VECBASE at a table of its own,
 * clears .bss and calls main. QEMU has loaded .data where it is linked. */
#include <stdint.h>

extern uint32_t __bss_start, __bss_end;
extern int main(void);
void board_run(void) __attribute__((noreturn));

/* Reports an exception that reached the vector at this offset from VECBASE, and stops. */
void board_exception(uint32_t vector_offset) __attribute__((noreturn));

/* The reset vector has room for a jump only: its literals would have to lie before it. */
__asm__(".pushsection .reset_vector, \"ax\"\n"
        ".global board_reset_vector\n"
        "board_reset_vector:\n"
        "    j board_reset\n"
        ".popsection\n"
        ".pushsection .text.board_reset, \"ax\"\n"
        ".align 4\n"
        "board_reset:\n"
        "    movi a0, 0\n"
        "    movi a1, __stack\n"
        "    movi a2, board_exception_vectors\n"
        "    wsr.vecbase a2\n"
        "    movi a2, 0\n"
        "    wsr.intenable a2\n"
        "    wsr.ps a2\n"
        "    rsync\n"
        "    call0 board_run\n"
        /* The vectors' common entry: their section has no literal pool of its own. */
        ".align 4\n"
        "board_exception_entry:\n"
        "    movi a1, __stack\n"
        "    call0 board_exception\n"
        ".popsection\n");

/* The lx106's vectors lie at VECBASE + 0x10 (debug), 0x20 (NMI), 0x30 (kernel), 0x50 (user)
 * and 0x70 (double exception). Every 8-byte slot up to 0x80 hands its offset to
 * board_exception, on a fresh stack, instead of letting the core run into empty memory. */
__asm__(".pushsection .exception_vectors, \"ax\"\n"
        ".global board_exception_vectors\n"
        "board_exception_vectors:\n"
        ".set offset, 0\n"
        ".rept 16\n"
        "    movi a2, offset\n"
        "    j board_exception_entry\n"
        "    .align 8\n"
        "    .set offset, offset + 8\n"
        ".endr\n"
        ".popsection\n");

void board_run(void)
{
    for (uint32_t* word = &__bss_start; word < &__bss_end;) {
        *word++ = 0;
    }
    main();
    for (;;) {
    }
}
