// SPDX-License-Identifier: GPL-3.0-or-later
// The registry file's text: any bytes are read without a crash, and what was
// read writes out as text that reads back the same.
#include "platform/registry_store.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const RegistryStore store = RegistryStore::FromText(text);
    const std::string once = store.ToText();
    if (RegistryStore::FromText(once).ToText() != once)
        std::abort();
    return 0;
}
