// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/files/file_registry.h"

#include "base/text_helpers.h"
#include "platform/linux/files/disk_profile_file.h"
#include "platform/linux/files/system_dirs.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform {
namespace {

std::string OwnerName()
{
    if (const passwd* pw = getpwuid(getuid())) {
        std::string gecos = pw->pw_gecos ? pw->pw_gecos : "";
        gecos = gecos.substr(0, gecos.find(','));  // the full name, before room and phone
        return gecos.empty() ? std::string(pw->pw_name) : gecos;
    }
    return {};
}

}  // namespace

std::optional<std::string> NativeRegistryText(RootKey root, const std::string& key, const std::string& name)
{
    const std::string k = AsciiUpper(NormaliseRegistryKey(key));
    const std::string n = AsciiUpper(name);
    if (root == RootKey::LocalMachine) {
        // The kernel and its start-up files; no value where there is none.
        if (k == "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\SETUP" && n == "BOOTDIR") {
            std::error_code ec;
            return std::filesystem::is_directory("/boot", ec) ? std::optional<std::string>("/boot") : std::nullopt;
        }
        if (k == "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION" && n == "REGISTEREDOWNER")
            return OwnerName();
        if (k == "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION" && n == "REGISTEREDORGANIZATION")
            return std::string();
    }
    if (root == RootKey::ClassesRoot && n.empty()) {
        // Web pages open with the desktop's default browser.
        if (k == ".HTM" || k == ".HTML" || k == ".SHTML" || k == ".SHTM")
            return std::string("htmlfile");
        if (k == "HTMLFILE\\SHELL\\OPEN\\COMMAND")
            return std::string("xdg-open");
    }
    return std::nullopt;
}

FileRegistry::FileRegistry(std::string path) : path_(std::move(path))
{
    std::string bytes;
    switch (ReadRegularFile(path_, bytes)) {
    case WholeFileRead::Missing: return;
    case WholeFileRead::Read:
        if (auto store = RegistryStore::FromBytes(bytes)) {
            store_ = std::move(*store);
            return;
        }
        break;
    case WholeFileRead::Folder:
    case WholeFileRead::Unreadable: break;
    }
    // A file that is there but cannot be read (a folder, FIFO or device in
    // its place, no permission, text that does not decode) is never replaced
    // by what little the program would write into it.
    readOnly_ = true;
}

std::string FileRegistry::DefaultPath()
{
    return UserConfigDirectory() + "/registry.reg";
}

bool FileRegistry::Save(RegistryStore&& next)
{
    if (readOnly_)
        return false;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
    if (!WriteFileAtomically(path_, next.ToText()))
        return false;
    store_ = std::move(next);
    return true;
}

bool FileRegistry::OpenKey(RootKey root, const std::string& key, bool create)
{
    if (store_.HasKey(root, key))
        return true;
    if (!create)
        return false;
    RegistryStore next = store_;
    // A key too deep to keep is not made.
    return next.CreateKey(root, key) && Save(std::move(next));
}

bool FileRegistry::Store(RootKey root, const std::string& key, const std::string& name, RegistryStore::Value value)
{
    // The file is replaced whole; when that fails the value is not kept in
    // memory either, so what the program reads is what the file holds.
    RegistryStore next = store_;
    return next.Write(root, key, name, std::move(value)) && Save(std::move(next));
}

bool FileRegistry::WriteString(RootKey root, const std::string& key, const std::string& name, const std::string& value)
{
    return Store(root, key, name, value);
}

bool FileRegistry::WriteDword(RootKey root, const std::string& key, const std::string& name, std::uint32_t value)
{
    return Store(root, key, name, value);
}

bool FileRegistry::WriteBinary(RootKey root, const std::string& key, const std::string& name,
                               const std::vector<std::uint8_t>& value)
{
    return Store(root, key, name, value);
}

std::optional<std::string> FileRegistry::ReadString(RootKey root, const std::string& key, const std::string& name) const
{
    if (store_.Read(root, key, name))
        return store_.ReadAs<std::string>(root, key, name);
    return NativeRegistryText(root, key, name);
}

std::optional<std::uint32_t> FileRegistry::ReadDword(RootKey root, const std::string& key,
                                                     const std::string& name) const
{
    return store_.ReadAs<std::uint32_t>(root, key, name);
}

std::optional<std::vector<std::uint8_t>> FileRegistry::ReadBinary(RootKey root, const std::string& key,
                                                                  const std::string& name) const
{
    return store_.ReadAs<std::vector<std::uint8_t>>(root, key, name);
}

}  // namespace platform
