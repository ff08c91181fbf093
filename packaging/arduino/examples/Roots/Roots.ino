// SPDX-License-Identifier: Zlib
// The roots to ship: the nearest and the floor square root of a 16-bit value. They keep no state
// and print nothing, so they are as safe in an interrupt handler as in loop().
#include <quorvantel.h>
#ifdef __AVR__
#include <avr/sleep.h>
#endif

void show(unsigned short x)
{
  Serial.print("x = ");
  Serial.print(x);
  Serial.print(": nearest ");
  Serial.print(quorvantel_sqrt16_nearest(x));
  Serial.print(", floor ");
  Serial.println(quorvantel_sqrt16_floor(x));
}

void setup()
{
  Serial.begin(9600);
  show(200);
  show(50000);
  // The nearest root of 65281 and above would be 256: it stays at 255.
  show(65535);

#ifdef __AVR__
  // Sends the last bytes, then sleeps for good: on a board the sketch stops here, and a
  // simulator such as simavr ends its run.
  Serial.flush();
  cli();
  sleep_enable();
  sleep_cpu();
#endif
}

void loop() {}
