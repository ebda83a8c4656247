// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding running processes by their command line, through /proc.

#include <sys/types.h>

#include <string>
#include <vector>

namespace platform {

// Whether `pid` is a running process (not a zombie) whose command line holds
// `text`: text unique to the run (a file's path) guards against a pid the
// system gave to another program since.
bool ProcessRunsWith(pid_t pid, const std::string& text);

// Every running process whose command line holds `text`.
std::vector<pid_t> ProcessesRunningWith(const std::string& text);

}  // namespace platform
