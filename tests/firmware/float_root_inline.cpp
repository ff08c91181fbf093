// SPDX-License-Identifier: Zlib
// The float baseline as it compiles where errno does not matter to the program (-fno-math-errno,
// set on this source alone): on a core with an FPU sqrtf becomes the FPU's own instruction
// (vsqrt.f32), where the baseline calls the C library's sqrtf, which sets errno for a negative
// input. A routine of the check firmware on such cores only.
#include <math.h>

unsigned short float_root_inline(unsigned short x);

unsigned short float_root_inline(unsigned short x)
{
    // NOLINTNEXTLINE(bugprone-incorrect-roundings): x is never negative
    return (unsigned short)(int)(sqrtf((float)x) + 0.5F);
}
