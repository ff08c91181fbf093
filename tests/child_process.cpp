// SPDX-License-Identifier: Zlib
#include "child_process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdlib>
#include <stdexcept>

namespace {

void check(bool ok, const char* what)
{
    if (!ok) throw std::runtime_error(what);
}

// Reads both pipes to their end without letting either one fill up and block the child.
void drain(int out_fd, int err_fd, ChildResult& result)
{
    std::array<pollfd, 2> fds{pollfd{out_fd, POLLIN, 0}, pollfd{err_fd, POLLIN, 0}};
    std::array<std::string*, 2> sinks{&result.out, &result.err};
    std::array<char, 65536> buffer{};
    int open_count = 0;
    for (const auto& fd : fds) open_count += fd.fd >= 0 ? 1 : 0;
    while (open_count > 0) {
        check(poll(fds.data(), fds.size(), -1) >= 0, "poll");
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            const ssize_t n = read(fds[i].fd, buffer.data(), buffer.size());
            if (n > 0) {
                sinks[i]->append(buffer.data(), static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open_count;
            }
        }
    }
}

} // namespace

ChildResult run_child(const std::string& program, const std::vector<std::string>& argv,
                      ChildStdout stdout_mode)
{
    // Everything the child needs is prepared before fork: after it, only plain system calls.
    std::vector<char*> raw_argv;
    raw_argv.reserve(argv.size() + 1);
    for (const auto& arg : argv) {
        // execv takes char* const[] but does not write through it.
        raw_argv.push_back(const_cast<char*>(arg.c_str())); // NOLINT(*-const-cast)
    }
    raw_argv.push_back(nullptr);

    std::array<int, 2> out_pipe{-1, -1};
    std::array<int, 2> err_pipe{-1, -1};
    check(pipe2(err_pipe.data(), O_CLOEXEC) == 0, "pipe");
    int child_stdout = -1;
    switch (stdout_mode) {
    case ChildStdout::captured:
    case ChildStdout::broken_pipe:
        check(pipe2(out_pipe.data(), O_CLOEXEC) == 0, "pipe");
        child_stdout = out_pipe[1];
        if (stdout_mode == ChildStdout::broken_pipe) {
            close(out_pipe[0]);
            out_pipe[0] = -1;
        }
        break;
    case ChildStdout::full_device:
        child_stdout = open("/dev/full", O_WRONLY | O_CLOEXEC);
        check(child_stdout >= 0, "open /dev/full");
        break;
    case ChildStdout::closed:
        break;
    }

    const pid_t pid = fork();
    check(pid >= 0, "fork");
    if (pid == 0) {
        (void)std::signal(SIGPIPE, SIG_DFL);
        if (child_stdout >= 0) {
            dup2(child_stdout, STDOUT_FILENO);
        } else {
            close(STDOUT_FILENO);
        }
        dup2(err_pipe[1], STDERR_FILENO);
        execv(program.c_str(), raw_argv.data());
        _exit(127);
    }

    if (child_stdout >= 0) close(child_stdout);
    close(err_pipe[1]);
    ChildResult result;
    drain(out_pipe[0], err_pipe[0], result);

    int status = 0;
    check(waitpid(pid, &status, 0) == pid, "waitpid");
    if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.term_signal = WTERMSIG(status);
    return result;
}
