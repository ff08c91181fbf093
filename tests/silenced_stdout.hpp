// SPDX-License-Identifier: Zlib
// Sends standard output to /dev/null for the lifetime of the guard, so that the trace lines of
// the Newton roots do not flood the test log.
#ifndef QUORVANTEL_TESTS_SILENCED_STDOUT_HPP
#define QUORVANTEL_TESTS_SILENCED_STDOUT_HPP

class SilencedStdout {
public:
    SilencedStdout();
    ~SilencedStdout();
    SilencedStdout(const SilencedStdout&) = delete;
    SilencedStdout& operator=(const SilencedStdout&) = delete;
    SilencedStdout(SilencedStdout&&) = delete;
    SilencedStdout& operator=(SilencedStdout&&) = delete;

private:
    int saved_fd_;
};

#endif
