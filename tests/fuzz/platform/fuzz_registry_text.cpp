// SPDX-License-Identifier: GPL-3.0-or-later
// The registry file's bytes (UTF-8 or UTF-16 with its mark): any bytes are
// read without a crash, and what was read writes out as text that reads back
// the same.
#include "platform/registry_store.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto store = RegistryStore::FromBytes(text);
    if (!store)
        return 0;
    const std::string once = store->ToText();
    if (RegistryStore::FromText(once).ToText() != once)
        std::abort();
    return 0;
}
