// SPDX-License-Identifier: Zlib
// Prints the passes of each counting root for every input 0 to 65535, one line per input:
//   x sqrt_u16_variante4 sqrt_u16_variante3 sqrt_u16_variante2
// sqrt_u16 counts no passes and is not listed. The Newton trace goes to standard error.
#include <unistd.h>

#include <cstdio>

#include <quorvantel/roots.hpp>

namespace {

int passes_of(unsigned short (*root)(unsigned short), unsigned short x)
{
    itotal = 0;
    root(x);
    return itotal;
}

} // namespace

int main()
{
    // Keep sqrt_u16_variante2's trace out of the data.
    (void)std::fflush(stdout);
    const int data_fd = dup(STDOUT_FILENO);
    dup2(STDERR_FILENO, STDOUT_FILENO);
    FILE* data = fdopen(data_fd, "w");
    if (data == nullptr) return 1;

    (void)std::fputs("# x sqrt_u16_variante4 sqrt_u16_variante3 sqrt_u16_variante2\n", data);
    for (int x = 0; x <= 65535; ++x) {
        const auto input = static_cast<unsigned short>(x);
        (void)std::fprintf(data, "%d %d %d %d\n", x, passes_of(sqrt_u16_variante4, input),
                           passes_of(sqrt_u16_variante3, input),
                           passes_of(sqrt_u16_variante2, input));
    }
    return std::fclose(data) == 0 ? 0 : 1;
}
