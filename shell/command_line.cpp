// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/command_line.h"

#ifndef ZELVARO_VERSION
#error "ZELVARO_VERSION comes from the project's version in CMakeLists.txt"
#endif

namespace {

std::string BaseName(const std::string& path)
{
    const auto slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.empty() ? std::string("zelvaro") : name;
}

std::string Usage(const std::string& name, const std::string& stem)
{
    return "Usage: " + name +
           " [--help | --version]\n"
           "A borderless desktop clock that rotates the wallpaper, plays time signals\n"
           "and rings an alarm. Started without arguments it shows the clock; a second\n"
           "start brings the running clock forward. It needs an X11 or Wayland display\n"
           "(DISPLAY or WAYLAND_DISPLAY); without one it says \"cannot open display\"\n"
           "and exits with status 1.\n"
           "\n"
           "  -h, --help     print this help and exit\n"
           "  -V, --version  print the version and exit\n"
           "\n"
           "Settings: " +
           stem +
           ".INI beside a copy that is not installed when its folder is\n"
           "writable, else $XDG_CONFIG_HOME/zelvaro/" +
           stem + ".INI (~/.config/zelvaro/). See zelvaro(1).\n";
}

}  // namespace

CommandLineChoice ChooseFromCommandLine(const std::string& programName, const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return {};
    const std::string name = BaseName(programName);
    // The settings file takes the executable's name up to its first ".".
    const std::string stem = name.substr(0, name.find('.'));
    const std::string& first = arguments.front();
    // An option stands alone: "--version junk" is refused for its "junk".
    const bool alone = arguments.size() == 1;
    if ((first == "--help" || first == "-h") && alone)
        return {CommandLineAction::ShowHelp, Usage(name, stem), 0};
    if ((first == "--version" || first == "-V") && alone)
        return {CommandLineAction::ShowVersion, name + " " ZELVARO_VERSION "\n", 0};
    const std::string& odd = first == "--help" || first == "-h" || first == "--version" || first == "-V" ? arguments[1]
                                                                                                         : first;
    const std::string what = !odd.empty() && odd.front() == '-' ? "unknown option" : "unexpected argument";
    return {CommandLineAction::Refuse,
            name + ": " + what + " '" + odd + "'\nTry '" + name + " --help' for more information.\n", 2};
}
