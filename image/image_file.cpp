// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/image_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

FileReadStatus ProbeImageFile(const std::string& path)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (path.empty() || !std::filesystem::exists(status))
        return FileReadStatus::Missing;
    return std::filesystem::is_regular_file(status) ? FileReadStatus::Ok : FileReadStatus::Unreadable;
}

int OpenImageFile(const std::string& path, FileReadStatus& status)
{
    struct stat before {};
    if (path.empty() || ::stat(path.c_str(), &before) != 0) {
        status = path.empty() || errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing
                                                                     : FileReadStatus::Unreadable;
        return -1;
    }
    status = FileReadStatus::Unreadable;
    if (!S_ISREG(before.st_mode))
        return -1;
    // Non-blocking, so a FIFO put in its place since the check cannot hold
    // the open up; the descriptor is checked again and made blocking.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat opened {};
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    status = FileReadStatus::Ok;
    return fd;
}

std::FILE* OpenImageStream(const std::string& path, FileReadStatus& status)
{
    const int fd = OpenImageFile(path, status);
    if (fd < 0)
        return nullptr;
    std::FILE* f = ::fdopen(fd, "rb");
    if (!f) {
        ::close(fd);
        status = FileReadStatus::Unreadable;
    }
    return f;
}

int ReopenImageFile(int fd)
{
    struct stat held {};
    if (fd < 0 || ::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode))
        return -1;
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    const int again = ::open(self.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    if (again < 0)
        return -1;
    struct stat opened {};
    if (::fstat(again, &opened) != 0 || opened.st_dev != held.st_dev || opened.st_ino != held.st_ino) {
        ::close(again);
        return -1;
    }
    return again;
}

FileReadStatus ReadImageFile(const std::string& path, std::vector<uint8_t>& bytes, uintmax_t maxBytes)
{
    bytes.clear();
    FileReadStatus status = FileReadStatus::Ok;
    const int fd = OpenImageFile(path, status);
    if (fd < 0)
        return status;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_size < 0 || static_cast<uintmax_t>(info.st_size) > maxBytes) {
        ::close(fd);
        return FileReadStatus::Unreadable;
    }
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    ::close(fd);
    if (done != bytes.size()) {  // shrank or failed while being read
        bytes.clear();
        return FileReadStatus::Unreadable;
    }
    return FileReadStatus::Ok;
}

bool WriteFileBeside(const std::string& path, ByteParts parts)
{
    if (path.empty())
        return false;
    const std::string temp = path + ".~new";
    bool ok = true;
    {
        std::FILE* out = std::fopen(temp.c_str(), "wb");
        if (!out)
            return false;
        for (const auto& part : parts) {
            if (!part.empty() && std::fwrite(part.data(), 1, part.size(), out) != part.size()) {
                ok = false;
                break;
            }
        }
        if (std::fclose(out) != 0)
            ok = false;
    }
    std::error_code ec;
    if (ok) {
        std::filesystem::rename(temp, path, ec);
        ok = !ec;
    }
    if (!ok)
        std::filesystem::remove(temp, ec);
    return ok;
}
