// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The registry kept in a file of the user's config directory
// ($XDG_CONFIG_HOME/zelvaro/registry.reg, by default ~/.config/zelvaro/),
// replaced atomically on every write. A file that is there but cannot be
// read is left as it is: every write then fails. The well-known system values the
// program reads are answered from this system's own facts unless the file
// holds them.

#include "platform/registry.h"
#include "platform/registry_store.h"

#include <string>

namespace platform {

class FileRegistry : public Registry {
public:
    explicit FileRegistry(std::string path);
    static std::string DefaultPath();

    bool OpenKey(RootKey root, const std::string& key, bool create) override;
    bool WriteString(RootKey root, const std::string& key, const std::string& name, const std::string& value) override;
    bool WriteDword(RootKey root, const std::string& key, const std::string& name, std::uint32_t value) override;
    bool WriteBinary(RootKey root, const std::string& key, const std::string& name,
                     const std::vector<std::uint8_t>& value) override;
    std::optional<std::string> ReadString(RootKey root, const std::string& key, const std::string& name) const override;
    std::optional<std::uint32_t> ReadDword(RootKey root, const std::string& key,
                                           const std::string& name) const override;
    std::optional<std::vector<std::uint8_t>> ReadBinary(RootKey root, const std::string& key,
                                                        const std::string& name) const override;

private:
    bool Store(RootKey root, const std::string& key, const std::string& name, RegistryStore::Value value);
    bool Save(RegistryStore&& next);
    std::string path_;
    RegistryStore store_;
    bool readOnly_ = false;
};

// The answer this system gives for a well-known value (boot directory,
// registered owner and organisation, the web browser's command line), if any.
std::optional<std::string> NativeRegistryText(RootKey root, const std::string& key, const std::string& name);

}  // namespace platform
