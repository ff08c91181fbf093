// SPDX-License-Identifier: Zlib
// The roots to ship, in the form forms.hpp chooses for the core. They have a module of their own,
// so that a program that calls only them links neither the pass counter nor the Newton roots'
// printf, on toolchains that link whole modules too (SDCC, or a build without section garbage
// collection).
#include <stdint.h>

#define QUORVANTEL_SQRT16_DEFINITIONS
#include "detail.hpp"
#include "forms.hpp"
#include "roots.hpp"

QUORVANTEL_NAME_FORM(sqrt16, QUORVANTEL_SQRT16_FORM_NAME)

#ifndef QUORVANTEL_SQRT16_IN_ASSEMBLY
uint8_t quorvantel_sqrt16_nearest(uint16_t x) QUORVANTEL_NOEXCEPT QUORVANTEL_REENTRANT
{
    return (uint8_t)quorvantel_sqrt16_nearest_form(x);
}

uint8_t quorvantel_sqrt16_floor(uint16_t x) QUORVANTEL_NOEXCEPT QUORVANTEL_REENTRANT
{
    return (uint8_t)quorvantel_sqrt16_floor_form(x);
}
#endif
