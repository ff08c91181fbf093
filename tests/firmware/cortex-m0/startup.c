/* Start-up for a Cortex-M0 or M0+ (QEMU's microbit, and the RP2040 under rp2040js): the vector
 * table, and a reset handler that copies .data from flash, clears .bss and calls main. */
#include <stdint.h>

extern uint32_t __data_load, __data_start, __data_end, __bss_start, __bss_end, __stack_top;
extern int main(void);

void reset_handler(void) __attribute__((noreturn));
static void fault_handler(void)
{
    for (;;) {
    }
}

/* The initial stack pointer and the reset vector are all the core reads before running. */
__attribute__((section(".vectors"), used)) static void (*const vectors[])(void) = {
    (void (*)(void)) & __stack_top,
    reset_handler,
    fault_handler,
    fault_handler,
};

void reset_handler(void)
{
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
