// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Work run in a child process: one whose address space may grow by a given
// amount at most, as `ulimit -v` holds a program (a read that needs more
// fails there, or dies, without harming the test), or one whose changes to
// the process (every read stopped) end with it.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <functional>

namespace fixtures {

// True when `work` returned true in a child process.
inline bool InChildProcess(const std::function<bool()>& work)
{
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        bool done = false;
        try {
            done = work();
        } catch (...) {  // out of memory
        }
        ::_exit(done ? 0 : 1);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// True when `work` returned true in a child whose address space may grow by
// `extraBytes` beyond what the test holds already (its threads' stacks and
// heaps, the libraries).
inline bool WithinAddressSpace(uint64_t extraBytes, const std::function<bool()>& work)
{
    return InChildProcess([&] {
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t most = static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + extraBytes;
        const rlimit limit{most, most};
        return ::setrlimit(RLIMIT_AS, &limit) == 0 && work();
    });
}

}  // namespace fixtures
