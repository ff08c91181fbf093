// SPDX-License-Identifier: Zlib
// The firmware of main.c built as C++: the header as a C++ firmware includes it, and a link that
// needs the routines under their C names.
#include "main.c"
