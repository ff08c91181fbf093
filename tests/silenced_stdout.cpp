// SPDX-License-Identifier: Zlib
#include "silenced_stdout.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

SilencedStdout::SilencedStdout() : saved_fd_(dup(STDOUT_FILENO))
{
    (void)std::fflush(stdout);
    const int null_fd = open("/dev/null", O_WRONLY | O_CLOEXEC);
    dup2(null_fd, STDOUT_FILENO);
    close(null_fd);
}

SilencedStdout::~SilencedStdout()
{
    (void)std::fflush(stdout);
    dup2(saved_fd_, STDOUT_FILENO);
    close(saved_fd_);
}
