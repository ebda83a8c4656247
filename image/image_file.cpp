// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/image_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

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

ImageFile::ImageFile(const std::string& path) : path_(path)
{
    fd_ = OpenImageFile(path, status_);
    if (fd_ < 0)
        return;
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || info.st_size < 0) {
        ::close(fd_);
        fd_ = -1;
        status_ = FileReadStatus::Unreadable;
        return;
    }
    size_ = static_cast<uint64_t>(info.st_size);
    // Read where it is, leaving the read position at the start for the reader.
    while (headBytes_ < head_.size()) {
        const ssize_t got = ::pread(fd_, head_.data() + headBytes_, head_.size() - headBytes_,
                                    static_cast<off_t>(headBytes_));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        headBytes_ += static_cast<std::size_t>(got);
    }
}

ImageFile::~ImageFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

int ImageFile::Descriptor() const
{
    if (fd_ < 0)
        return -1;
    // A duplicate shares the read position, which goes back to the start.
    const int own = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (own >= 0 && ::lseek(own, 0, SEEK_SET) != 0) {
        ::close(own);
        return -1;
    }
    return own;
}

std::FILE* ImageFile::Stream() const
{
    const int fd = Descriptor();
    if (fd < 0)
        return nullptr;
    std::FILE* f = ::fdopen(fd, "rb");
    if (!f)
        ::close(fd);
    return f;
}

FileReadStatus ImageFile::ReadAll(std::vector<uint8_t>& bytes, uintmax_t maxBytes) const
{
    bytes.clear();
    if (fd_ < 0)
        return status_;
    if (size_ > maxBytes)
        return FileReadStatus::Unreadable;
    bytes.resize(static_cast<size_t>(size_));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    if (done != bytes.size()) {  // shrank or failed while being read
        bytes.clear();
        return FileReadStatus::Unreadable;
    }
    return FileReadStatus::Ok;
}

FileReadStatus ReadImageFile(const std::string& path, std::vector<uint8_t>& bytes, uintmax_t maxBytes)
{
    return ImageFile(path).ReadAll(bytes, maxBytes);
}

ImageRead DecodeWholeFile(const ImageFile& file, std::string_view format,
                          const std::function<ImageRead(std::span<const uint8_t>)>& decode)
{
    std::vector<uint8_t> bytes;
    switch (file.ReadAll(bytes)) {
    case FileReadStatus::Ok: return decode(bytes);
    case FileReadStatus::Missing:
        return ImageRead::Failed(ReadFailure::Missing, std::string(format) + ": no such file");
    default: return ImageRead::Failed(ReadFailure::Unreadable, std::string(format) + ": cannot read the file");
    }
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
