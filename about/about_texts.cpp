// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/about_texts.h"

std::string PhysicalMemoryText(std::uint64_t bytes)
{
    // 64-bit throughout: machines with 2 GiB and more read true.
    return std::to_string(bytes / 1024) + " KB";
}
