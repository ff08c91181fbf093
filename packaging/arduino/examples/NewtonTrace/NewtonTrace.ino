// SPDX-License-Identifier: Zlib
// Sends the trace lines of the Newton routines to Serial. They print through printf, which on
// AVR writes to avr-libc's stdout; a sketch leaves stdout unset, and then the routines stay
// silent. Other cores route printf their own way (many through a _write function), so the
// stream set-up here is for AVR only.
#include <quorvantel.h>
#ifdef __AVR__
#include <avr/sleep.h>
#include <stdio.h>

int serialPut(char c, FILE*)
{
  Serial.write(c);
  return 0;
}

FILE serialOut;
#endif

// Each routine prints a trace line for every input up to 16, and for every call that needs more
// steps than the last call that printed one.
void trace(const char* name, unsigned short (*root)(unsigned short))
{
  const unsigned short inputs[] = {1, 7, 2000, 50000};
  for (unsigned short x : inputs) {
    const unsigned short r = root(x);
    Serial.print(name);
    Serial.print('(');
    Serial.print(x);
    Serial.print(") = ");
    Serial.println(r);
  }
}

void setup()
{
  Serial.begin(9600);
  // While stdout is unset the routines print nothing and only return their root.
  Serial.print("sqrt_u16(10) = ");
  Serial.println(sqrt_u16(10));
#ifdef __AVR__
  fdev_setup_stream(&serialOut, serialPut, NULL, _FDEV_SETUP_WRITE);
  stdout = &serialOut;
#endif
  trace("sqrt_u16", sqrt_u16);
  trace("sqrt_u16_variante2", sqrt_u16_variante2);

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
