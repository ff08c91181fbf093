// SPDX-License-Identifier: Zlib
// Runs a program of the project in a child process and collects what it wrote.
#ifndef QUORVANTEL_TESTS_CHILD_PROCESS_HPP
#define QUORVANTEL_TESTS_CHILD_PROCESS_HPP

#include <string>
#include <vector>

enum class ChildStdout {
    captured,    // a pipe read by the parent
    full_device, // /dev/full: every write fails with ENOSPC
    closed,      // descriptor 1 closed before the program starts
    broken_pipe, // a pipe whose reading end is already closed
};

struct ChildResult {
    std::string out;
    std::string err;
    int exit_code = -1;  // set when the child exited normally
    int term_signal = 0; // set when a signal ended it
};

// Starts program with exactly the argument vector argv (argv[0] included; an empty vector
// gives the program argc 0, which recent kernels turn into a single empty argv[0]).
ChildResult run_child(const std::string& program, const std::vector<std::string>& argv,
                      ChildStdout stdout_mode = ChildStdout::captured);

#endif
