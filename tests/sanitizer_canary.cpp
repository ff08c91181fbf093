// SPDX-License-Identifier: Zlib
// Commits one fault that goes unnoticed unless a sanitizer reports it.
// Usage: sanitizer_canary heap-overflow | signed-overflow
#include <cstddef>
#include <cstring>
#include <limits>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    volatile int index = 4;
    if (std::strcmp(argv[1], "heap-overflow") == 0) {
        // The size is opaque to the compiler, so that only AddressSanitizer can see the fault.
        volatile std::size_t size = 4;
        std::vector<char> buffer(size);
        buffer[index] = 1;
        return 0;
    }
    if (std::strcmp(argv[1], "signed-overflow") == 0) {
        volatile int large = std::numeric_limits<int>::max();
        large = large + index;
        return 0;
    }
    return 2;
}
