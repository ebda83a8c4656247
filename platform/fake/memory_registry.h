// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A registry held in memory, with writes that can be made to fail.

#include "platform/registry.h"
#include "platform/registry_store.h"

namespace platform {

class MemoryRegistry : public Registry {
public:
    RegistryStore store;
    bool failWrites = false;

    bool OpenKey(RootKey root, const std::string& key, bool create) override
    {
        if (store.HasKey(root, key))
            return true;
        if (!create || failWrites)
            return false;
        return store.CreateKey(root, key);  // not made when too deep to keep
    }
    bool WriteString(RootKey root, const std::string& key, const std::string& name, const std::string& value) override
    {
        return Write(root, key, name, value);
    }
    bool WriteDword(RootKey root, const std::string& key, const std::string& name, std::uint32_t value) override
    {
        return Write(root, key, name, value);
    }
    bool WriteBinary(RootKey root, const std::string& key, const std::string& name,
                     const std::vector<std::uint8_t>& value) override
    {
        return Write(root, key, name, value);
    }
    std::optional<std::string> ReadString(RootKey root, const std::string& key, const std::string& name) const override
    {
        return store.ReadAs<std::string>(root, key, name);
    }
    std::optional<std::uint32_t> ReadDword(RootKey root, const std::string& key, const std::string& name) const override
    {
        return store.ReadAs<std::uint32_t>(root, key, name);
    }
    std::optional<std::vector<std::uint8_t>> ReadBinary(RootKey root, const std::string& key,
                                                        const std::string& name) const override
    {
        return store.ReadAs<std::vector<std::uint8_t>>(root, key, name);
    }

private:
    bool Write(RootKey root, const std::string& key, const std::string& name, RegistryStore::Value value)
    {
        if (failWrites)
            return false;
        return store.Write(root, key, name, std::move(value));
    }
};

}  // namespace platform
