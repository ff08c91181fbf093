// SPDX-License-Identifier: Zlib
/* An ATmega (the ATmega328P, the ATmega2560) under simavr: standard output on UART0, cycles from
 * Timer1 without prescaler. */
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/sleep.h>
#include <stdio.h>

#include <simavr/avr/avr_mcu_section.h>

#include "board.h"

/* Tells simavr which chip and clock to simulate: the chip the firmware is built for. */
#define BOARD_STRING(name) #name
#define BOARD_CHIP(name) BOARD_STRING(name)
AVR_MCU(16000000, BOARD_CHIP(__AVR_DEVICE_NAME__));

static uint32_t bytes_written;

static int put_byte(char c, FILE* stream)
{
    (void)stream;
    while (!(UCSR0A & _BV(UDRE0))) {
    }
    UCSR0A |= _BV(TXC0); /* writing 1 clears it: set again once this byte is out */
    UDR0 = (uint8_t)c;
    ++bytes_written;
    return 0;
}

static FILE uart_output;

void board_start(void)
{
    UBRR0 = 0; /* 2 Mbaud with U2X0 at 16 MHz: the UART never holds the run up for long */
    UCSR0A = _BV(U2X0);
    UCSR0B = _BV(TXEN0);
    UCSR0C = _BV(UCSZ01) | _BV(UCSZ00);
    fdev_setup_stream(&uart_output, put_byte, NULL, _FDEV_SETUP_WRITE);
    stdout = &uart_output;

    TCCR1A = 0;
    TCCR1B = _BV(CS10); /* Timer1 counts every CPU cycle */
}

void board_stop(int passed)
{
    (void)passed; /* simavr has no exit status; the host reads the last line */
    if (bytes_written != 0) {
        while (!(UCSR0A & _BV(TXC0))) {
        }
    }
    /* Sleeping with interrupts off ends the simulation. */
    cli();
    sleep_cpu();
    for (;;) {
    }
}

uint16_t board_count(void)
{
    return TCNT1;
}

uint32_t board_bytes_written(void)
{
    return bytes_written;
}
