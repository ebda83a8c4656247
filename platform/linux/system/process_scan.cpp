// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/system/process_scan.h"

#include <dirent.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace platform {

bool ProcessRunsWith(pid_t pid, const std::string& text)
{
    if (pid <= 0)
        return false;
    const std::string proc = "/proc/" + std::to_string(pid);
    std::ifstream stat(proc + "/stat");
    const std::string fields((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = fields.rfind(')');
    if (close == std::string::npos || close + 2 >= fields.size() || fields[close + 2] == 'Z' ||
        fields[close + 2] == 'X')
        return false;
    std::ifstream cmdline(proc + "/cmdline");
    const std::string args((std::istreambuf_iterator<char>(cmdline)), std::istreambuf_iterator<char>());
    return args.find(text) != std::string::npos;
}

std::vector<pid_t> ProcessesRunningWith(const std::string& text)
{
    std::vector<pid_t> found;
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return found;
    while (const dirent* entry = ::readdir(proc)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (end && *end == '\0' && pid > 0 && ProcessRunsWith(static_cast<pid_t>(pid), text))
            found.push_back(static_cast<pid_t>(pid));
    }
    ::closedir(proc);
    return found;
}

}  // namespace platform
