// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/files/disk_profile_file.h"

#include "platform/linux/shared/unique_fd.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

namespace {

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& content)
{
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Whether we may change the file: it has a write bit and the system lets us
// write it. Root passes the system's test for every file, so a file whose
// owner made it read-only (no write bit at all) is refused as well.
bool MayOverwrite(const std::string& path, const struct stat& st)
{
    return (st.st_mode & 0222) != 0 && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

}  // namespace

WholeFileRead ReadRegularFile(const std::string& path, std::string& content, std::size_t maxBytes)
{
    content.clear();
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return WholeFileRead::Missing;
        return errno == EISDIR ? WholeFileRead::Folder : WholeFileRead::Unreadable;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return WholeFileRead::Unreadable;
    if (S_ISDIR(st.st_mode))
        return WholeFileRead::Folder;
    if (!S_ISREG(st.st_mode) || st.st_size < 0 || static_cast<std::size_t>(st.st_size) > maxBytes)
        return WholeFileRead::Unreadable;
    content.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    // One byte more than the size, so a file that grew past the bound since
    // is caught too.
    for (;;) {
        if (done == content.size()) {
            if (content.size() > maxBytes)
                break;
            content.resize(content.size() + 4096);
        }
        const ssize_t n = ::read(fd.get(), content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            content.clear();
            return WholeFileRead::Unreadable;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    content.resize(done);
    if (done > maxBytes) {
        content.clear();
        return WholeFileRead::Unreadable;
    }
    return WholeFileRead::Read;
}

bool ReadWholeFile(const std::string& path, std::string& content)
{
    return ReadRegularFile(path, content) == WholeFileRead::Read;
}

std::string FollowLinks(const std::string& path)
{
    std::string at = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return at;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(at.c_str(), target, sizeof target - 1);
        if (n <= 0)
            return {};
        const std::string next(target, static_cast<std::size_t>(n));
        at = next.front() == '/' ? next : DirectoryOf(at) + "/" + next;
    }
    return {};
}

bool WriteFileAtomically(const std::string& path, const std::string& content)
{
    const std::string target = FollowLinks(path);
    if (target.empty())
        return false;
    // The new file is never more open than the old one: it takes the old
    // file's permission bits (and owner, where we may give it), and a new
    // file the usual 0666 less the umask.
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    mode_t mode = 0;
    if (exists) {
        if (!S_ISREG(old.st_mode) || !MayOverwrite(target, old))
            return false;
        mode = old.st_mode & 0777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    std::string temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());  // made 0600
    if (fd < 0)
        return false;
    bool written = ::fchmod(fd, mode) == 0;
    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        // Only root may give a file away; for anyone else it stays ours.
        const bool ownerKept = ::fchown(fd, old.st_uid, old.st_gid) == 0;
        static_cast<void>(ownerKept);
    }
    written = written && WriteAll(fd, content) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    const int dir = ::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

DiskProfileFile::DiskProfileFile(std::string path) : path_(std::move(path))
{}

std::string DiskProfileFile::Path() const
{
    return path_;
}

ProfileFile::ReadResult DiskProfileFile::Read(std::string& text) const
{
    switch (ReadRegularFile(path_, text, kMaxBytes)) {
    case WholeFileRead::Read: return ReadResult::Read;
    // A folder in the file's place reads as no file, as the profile calls
    // have always read it; the save then fails.
    case WholeFileRead::Missing:
    case WholeFileRead::Folder: return ReadResult::Missing;
    case WholeFileRead::Unreadable: break;
    }
    return ReadResult::Unreadable;
}

bool DiskProfileFile::Replace(const std::string& text)
{
    return WriteFileAtomically(path_, text);
}

}  // namespace platform
