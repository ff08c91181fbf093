#include "argflags.hpp"

#include <algorithm>
#include <array>

namespace {

std::array<char, 128> argflag{};

} // namespace

void setargflags(const char* arg)
{
    for (; *arg != '\0'; ++arg) {
        // Bytes with the top bit set are negative here and are not folded; the mask then
        // keeps their low seven bits, so 0xBF raises the help flag like '?'.
        int code = static_cast<signed char>(*arg);
        if (code >= 'a' && code <= 'z') code -= 'a' - 'A';
        argflag[static_cast<unsigned>(code & 0x7F)] = 1;
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
