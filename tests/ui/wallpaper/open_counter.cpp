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

extern "C" {

int open(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeOf(flags, args);
    va_end(args);
    Count(path);
    static const auto next = Next<int (*)(const char*, int, ...)>("open");
    return next(path, flags, mode);
}

int open64(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeOf(flags, args);
    va_end(args);
    Count(path);
    static const auto next = Next<int (*)(const char*, int, ...)>("open64");
    return next(path, flags, mode);
}

int openat(int dir, const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeOf(flags, args);
    va_end(args);
    Count(path);
    static const auto next = Next<int (*)(int, const char*, int, ...)>("openat");
    return next(dir, path, flags, mode);
}

int openat64(int dir, const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = ModeOf(flags, args);
    va_end(args);
    Count(path);
    static const auto next = Next<int (*)(int, const char*, int, ...)>("openat64");
    return next(dir, path, flags, mode);
}

std::FILE* fopen(const char* path, const char* how)
{
    Count(path);
    static const auto next = Next<std::FILE* (*)(const char*, const char*)>("fopen");
    return next(path, how);
}

std::FILE* fopen64(const char* path, const char* how)
{
    Count(path);
    static const auto next = Next<std::FILE* (*)(const char*, const char*)>("fopen64");
    return next(path, how);
}

}  // extern "C"
