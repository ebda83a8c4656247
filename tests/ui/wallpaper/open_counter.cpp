// SPDX-License-Identifier: GPL-3.0-or-later
// The system's open functions, taken over by this program: its own
// definitions come before the C library's for every caller in it.
#undef _FORTIFY_SOURCE  // its inline open would stand in the way of this one
#include "open_counter.h"

#include <dlfcn.h>
#include <fcntl.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace {

std::mutex gLock;
std::string gWatched;
std::atomic<int> gOpens{0};

void Count(const char* path)
{
    const std::lock_guard lock(gLock);
    if (path && !gWatched.empty() && gWatched == path)
        ++gOpens;
}

template <typename F>
F Next(const char* name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

mode_t ModeOf(int flags, va_list args)
{
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

}  // namespace

namespace open_counter {

void Watch(const std::string& path)
{
    const std::lock_guard lock(gLock);
    gWatched = path;
    gOpens = 0;
}

int Opens()
{
    return gOpens;
}

}  // namespace open_counter

// Counts the open and passes it on to the function of `name` that this one
// stands in front of, with the mode its flags call for.
template <typename... Before>
int PassOn(const char* name, Before... before, const char* path, int flags, va_list args)
{
    const mode_t mode = ModeOf(flags, args);
    Count(path);
    const auto next = Next<int (*)(Before..., const char*, int, ...)>(name);
    return next(before..., path, flags, mode);
}

extern "C" {

int open(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const int fd = PassOn<>("open", path, flags, args);
    va_end(args);
    return fd;
}

int open64(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const int fd = PassOn<>("open64", path, flags, args);
    va_end(args);
    return fd;
}

int openat(int dir, const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const int fd = PassOn<int>("openat", dir, path, flags, args);
    va_end(args);
    return fd;
}

int openat64(int dir, const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const int fd = PassOn<int>("openat64", dir, path, flags, args);
    va_end(args);
    return fd;
}

std::FILE* fopen(const char* path, const char* how)
{
    Count(path);
    return Next<std::FILE* (*)(const char*, const char*)>("fopen")(path, how);
}

std::FILE* fopen64(const char* path, const char* how)
{
    Count(path);
    return Next<std::FILE* (*)(const char*, const char*)>("fopen64")(path, how);
}

}  // extern "C"
