// SPDX-License-Identifier: Zlib
// Calls one root routine in a fresh process, so that its record of steps and the pass counter
// start from zero. Usage: root_probe ROUTINE (all | X...)
//   all: every input 0 to 65535 in ascending order; otherwise the inputs as given.
// The routine's trace goes to standard output; the final pass count to standard error.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <quorvantel/roots.hpp>

#include "routines.hpp"

namespace {

using Root = unsigned short (*)(unsigned short);

Root routine_named(const char* name)
{
    // NOLINTNEXTLINE(cppcoreguidelines-macro-usage): expands the list of routines
#define ROOT_IF_NAMED(routine, plain, counts, sweep_passes)                                        \
    if (std::strcmp(name, #routine) == 0) return routine;
    QUORVANTEL_WIDE_ROUTINES(ROOT_IF_NAMED)
#undef ROOT_IF_NAMED
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    const Root root = argc >= 3 ? routine_named(argv[1]) : nullptr;
    if (root == nullptr) {
        (void)std::fputs("usage: root_probe ROUTINE (all | X...)\n", stderr);
        return 2;
    }
    if (std::strcmp(argv[2], "all") == 0) {
        for (int x = 0; x <= 65535; ++x) root(static_cast<unsigned short>(x));
    } else {
        for (int i = 2; i < argc; ++i) {
            root(static_cast<unsigned short>(std::strtoul(argv[i], nullptr, 10)));
        }
    }
    (void)std::fprintf(stderr, "itotal=%d\n", itotal);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
