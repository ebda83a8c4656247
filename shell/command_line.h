// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line, as Linux users expect of a desktop program: no arguments
// start the clock; --help and --version answer and end; anything else is
// refused before a copy starts or the settings are touched.

#include <string>
#include <vector>

enum class CommandLineAction { Run, ShowHelp, ShowVersion, Refuse };

struct CommandLineChoice {
    CommandLineAction action = CommandLineAction::Run;
    // What to print: the usage, the version line or the refusal (each ending
    // in a newline); empty for Run.
    std::string text;
    // The process's exit status for every action but Run: 0, or 2 for a
    // refusal. The caller ends with 1 instead of 0 when the text could not be
    // written.
    int exitStatus = 0;
};

// `programName` is how the program was called (argv[0]); `arguments` the rest.
// A recognised option answers when it stands alone; any other argument is
// refused (the first one that does not belong is named), so "--version junk"
// and "--bogus --help" are refused.
CommandLineChoice ChooseFromCommandLine(const std::string& programName, const std::vector<std::string>& arguments);
