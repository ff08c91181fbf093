// SPDX-License-Identifier: Zlib
#include "argflags.hpp"

#include <algorithm>
#include <array>

namespace {

std::array<char, 128> argflag{};

} // namespace

void setargflags(const char* arg)
{
    for (; *arg != '\0'; ++arg) {
        // Only ASCII lower case folds. Bytes with the top bit set keep their low seven bits, so
        // 0xBF raises the help flag like '?' and 0xE1 reaches the slot of 'a'.
        unsigned code = static_cast<unsigned char>(*arg);
        if (code >= 'a' && code <= 'z') code -= 'a' - 'A';
        argflag[code & 0x7FU] = 1;
    }
}

int istja(const char* answer)
{
    switch (answer[0]) {
    case 'j':
    case 'J':
    case 'y':
    case 'Y':
        return 1;
    default:
        return 0;
    }
}

bool argflag_raised(int index)
{
    return index >= 0 && index < static_cast<int>(argflag.size()) &&
           argflag[static_cast<unsigned>(index)] != 0;
}

void clear_argflags()
{
    std::ranges::fill(argflag, char{0});
}

int scan_arguments(int argc, const char* const* argv)
{
    int positional_count = 0;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (arg[0] == '-' || arg[0] == '?') {
            setargflags(arg);
        } else {
            ++positional_count;
        }
    }
    return positional_count;
}

bool usage_requested(int positional_count)
{
    return argflag_raised(help_flag) || positional_count > 1;
}
