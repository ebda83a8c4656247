// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file descriptor that one object owns: closed when the object goes, unless
// release() hands it on. A negative descriptor (a failed open) owns nothing.

#include <unistd.h>

#include <utility>

namespace platform {

class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    // The descriptor, for the caller to close; this object owns nothing then.
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

}  // namespace platform
