// SPDX-License-Identifier: Zlib
/* The roots library under its C name: the same declarations as <quorvantel/roots.hpp>. */
#include "roots.hpp"
