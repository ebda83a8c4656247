// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/files/system_dirs.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {

namespace {

std::string HomeDirectory()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/tmp";
}

}  // namespace

bool MakeDirectories(const std::string& path)
{
    for (std::size_t at = 1; at != std::string::npos; at = path.find('/', at + 1))
        ::mkdir(path.substr(0, at).c_str(), 0700);
    ::mkdir(path.c_str(), 0700);
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FolderWritable(const std::string& dir)
{
    // Write and search permission are what creating a file beside others and
    // renaming it over them need; a read-only mount answers no as well.
    return ::access(dir.empty() ? "." : dir.c_str(), W_OK | X_OK) == 0;
}

bool FileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string WindowsDirectory()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    const std::string base = (data && *data == '/') ? std::string(data) : HomeDirectory() + "/.local/share";
    const std::string dir = base + "/zelvaro";
    MakeDirectories(dir);
    return dir;
}

std::string UserConfigDirectory()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string base = (config && *config == '/') ? std::string(config) : HomeDirectory() + "/.config";
    return base + "/zelvaro";
}

}  // namespace platform

namespace platform {

std::string ExecutablePath()
{
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

unsigned UserId()
{
    return static_cast<unsigned>(getuid());
}

}  // namespace platform

namespace platform {

std::string DisplayName()
{
    const char* display = std::getenv("DISPLAY");
    return display ? display : "";
}

std::string RuntimeDirectory()
{
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    struct stat st {};
    if (!dir || *dir != '/' || ::stat(dir, &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & 077) != 0)
        return {};
    return dir;
}

}  // namespace platform
