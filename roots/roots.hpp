// Integer square roots of 16-bit unsigned values.
//
// Every 16-bit routine returns the integer nearest to the square root of its input, saturated
// at 255: inputs from 65281 up, whose nearest root would be 256, give 255. No routine allocates,
// throws or fails. The routines share the static pass counter below and are not reentrant.
#ifndef QUORVANTEL_ROOTS_HPP
#define QUORVANTEL_ROOTS_HPP

// Refinement passes made by the counting routines since program start (or since a caller last
// reset it). It wraps around instead of overflowing.
extern int itotal;

// Nearest integer root of x (0 to 16), read from a range table. No passes counted.
unsigned char sqrt_u8(unsigned char x) noexcept;

// Nearest integer root of x, saturated at 255. Inputs below 256 go to sqrt_u8 at no pass;
// larger ones start from the top bit of their root and decide one lower bit per pass,
// adding each pass (4 to 7) to itotal. No division.
unsigned short sqrt_u16_variante4(unsigned short x) noexcept;

#endif
