// SPDX-License-Identifier: GPL-3.0-or-later
// The key file reader as the browser lookup uses it on mimeapps lists and on
// desktop entries: any bytes are read without a crash, a value found holds
// no line end, and undoing the escapes never makes the text longer.
#include "platform/key_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const auto& [group, key] :
         {std::pair{"Default Applications", "x-scheme-handler/http"}, std::pair{"Added Associations", "text/html"},
          std::pair{"Desktop Entry", "Exec"}, std::pair{"Desktop Entry", "Hidden"}}) {
        const auto value = KeyFileValue(text, group, key);
        if (!value)
            continue;
        if (value->find('\n') != std::string::npos)
            std::abort();
        if (UnescapeKeyFileString(*value).size() > value->size())
            std::abort();
    }
    return 0;
}
