#pragma once
// The name one copy of the program holds while it runs: taken from the
// executable's file name (with its extension) and the user, so a copy under
// another file name, or another user's copy, runs beside it.

#include <string>

// At most 100 bytes (a socket name has room for 107); longer file names are
// shortened with a hash of the whole name so two long names stay apart.
std::string InstanceName(const std::string& executablePath, unsigned userId);
