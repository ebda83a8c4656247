#include "platform/linux/system_dirs.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

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

void MakeDirectories(const std::string& path)
{
    for (std::size_t at = 1; at != std::string::npos; at = path.find('/', at + 1))
        ::mkdir(path.substr(0, at).c_str(), 0700);
    ::mkdir(path.c_str(), 0700);
}

}  // namespace

std::string WindowsDirectory()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    const std::string base = (data && *data == '/') ? std::string(data) : HomeDirectory() + "/.local/share";
    const std::string dir = base + "/zelvaro";
    MakeDirectories(dir);
    return dir;
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
