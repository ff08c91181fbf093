// SPDX-License-Identifier: Zlib
/* Start-up for a Cortex-M core (QEMU's microbit, netduino2 and netduinoplus2, and the RP2040
 * under rp2040js): the vector table, and a reset handler that turns the FPU on where the code uses
 * one, copies .data from flash, clears .bss and calls main. */
#include <stdint.h>

extern uint32_t __data_load, __data_start, __data_end, __bss_start, __bss_end;
/* The top of the stack, from the linker script: only an address, declared as a function so that
 * the table below, of function addresses, holds it without a cast. */
extern void __stack_top(void);
extern int main(void);

void reset_handler(void) __attribute__((noreturn));
static void fault_handler(void)
{
    for (;;) {
    }
}

/* The initial stack pointer and the reset vector are all the core reads before running. */
__attribute__((section(".vectors"), used)) static void (*const vectors[])(void) = {
    __stack_top,
    reset_handler,
    fault_handler,
    fault_handler,
};

void reset_handler(void)
{
#if defined(__ARM_FP)
    /* The FPU is off at reset, and its first instruction would fault: full access for
     * coprocessors 10 and 11 in CPACR, in effect once the barriers have passed. */
    *(volatile uint32_t*)0xE000ED88U |= 0xFU << 20;
    __asm__ volatile("dsb\n\tisb" : : : "memory");
#endif
    const uint32_t* from = &__data_load;
    for (uint32_t* to = &__data_start; to < &__data_end;) {
        *to++ = *from++;
    }
    for (uint32_t* to = &__bss_start; to < &__bss_end;) {
        *to++ = 0;
    }
    main();
    for (;;) {
    }
}
