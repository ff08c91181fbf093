// SPDX-License-Identifier: Zlib
// Feeds arbitrary argument vectors to the argument scan and the usage decision, and checks both
// against the rule stated from scratch. The input splits at zero bytes into argv[0], argv[1], …
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "argflags.hpp"

namespace {

// The flag a byte raises: ASCII letters count as upper case, a byte above 127 as the byte
// 128 below it.
int flag_of(unsigned char byte)
{
    if (byte >= 128) return byte - 128;
    if (byte >= 'a' && byte <= 'z') return byte - 'a' + 'A';
    return byte;
}

bool is_option(const std::string& arg)
{
    return !arg.empty() && (arg.front() == '-' || arg.front() == '?');
}

void require(bool holds)
{
    if (!holds) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> args;
    if (size > 0) {
        args.emplace_back();
        for (std::size_t i = 0; i < size; ++i) {
            if (data[i] == 0) {
                args.emplace_back();
            } else {
                args.back().push_back(static_cast<char>(data[i]));
            }
        }
    }
    std::vector<const char*> argv;
    argv.reserve(args.size() + 1);
    for (const auto& arg : args) argv.push_back(arg.c_str());
    argv.push_back(nullptr);

    std::vector<bool> expected_flags(128, false);
    int expected_positionals = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (!is_option(args[i])) {
            ++expected_positionals;
            continue;
        }
        for (const char c : args[i]) {
            const int flag = flag_of(static_cast<unsigned char>(c));
            expected_flags[static_cast<std::size_t>(flag)] = true;
        }
    }
    const bool expected_usage = expected_flags['?'] || expected_positionals > 1;

    clear_argflags();
    const int positionals = scan_arguments(static_cast<int>(args.size()), argv.data());
    require(positionals == expected_positionals);
    for (int index = 0; index < 128; ++index) {
        require(argflag_raised(index) == expected_flags[static_cast<std::size_t>(index)]);
    }
    require(usage_requested(positionals) == expected_usage);
    return 0;
}
