// SPDX-License-Identifier: Zlib
// Prints a few integer square roots and the passes the bit-by-bit routines took.
#include <quorvantel.h>
#ifdef __AVR__
#include <avr/sleep.h>
#endif

void show(const char* name, unsigned short x, unsigned short root)
{
  Serial.print(name);
  Serial.print('(');
  Serial.print(x);
  Serial.print(") = ");
  Serial.println(root);
}

void setup()
{
  Serial.begin(9600);
  show("sqrt_u8", 200, sqrt_u8(200));
  show("sqrt_u16_variante4", 50000, sqrt_u16_variante4(50000));
  show("sqrt_u16_variante3", 1000, sqrt_u16_variante3(1000));
  // The bit-by-bit routines add their passes to itotal: 7 for 50000, 4 for 1000.
  Serial.print("itotal = ");
  Serial.println(itotal);

  // The Newton routines print a trace line through printf for small inputs. A sketch leaves
  // stdout unset, so sqrt_u16 prints nothing here and only returns its root.
  show("sqrt_u16", 10, sqrt_u16(10));

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
