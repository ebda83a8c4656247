#include "platform/linux/disk_profile_file.h"

#include "base/profile_text.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& content)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteFileAtomically(const std::string& path, const std::string& content)
{
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    // Keep the old file's permissions; a new file gets the usual 0644 less umask.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    const bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    const int dir = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

DiskProfileFile::DiskProfileFile(std::string path) : path_(std::move(path)) {}

std::string DiskProfileFile::Path() const
{
    return path_;
}

bool DiskProfileFile::Exists() const
{
    struct stat st {};
    return ::stat(path_.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string DiskProfileFile::ReadString(const std::string& section, const std::string& key,
                                        const std::string& fallback) const
{
    std::string content;
    if (!ReadWholeFile(path_, content))
        return CutToCharacters(fallback, kProfileStringLimit);
    const auto value = ProfileText(content).Get(section, key);
    return CutToCharacters(value ? *value : fallback, kProfileStringLimit);
}

bool DiskProfileFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    std::string content;
    if (Exists() && !ReadWholeFile(path_, content))
        return false;
    ProfileText text(content);
    text.Set(section, key, value);
    return WriteFileAtomically(path_, text.Serialize());
}

}  // namespace platform
