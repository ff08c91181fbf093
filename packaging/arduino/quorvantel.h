// SPDX-License-Identifier: Zlib
/* The header a sketch includes. Arduino's tools find a library by the header named after its
 * folder; the declarations are those of roots.hpp. */
#include "roots.hpp"
