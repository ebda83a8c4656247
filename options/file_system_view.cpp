// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/file_system_view.h"

#include "base/zelvaro_error.h"
#include "options/file_types.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <system_error>
#include <unordered_set>

namespace fs = std::filesystem;

namespace {

// The mount table writes a space in a path as \040 (octal escapes).
std::string Unescaped(const std::string& field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() &&
            std::all_of(field.begin() + static_cast<long>(i) + 1, field.begin() + static_cast<long>(i) + 4,
                        [](char c) { return c >= '0' && c <= '7'; })) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

bool IsNetworkType(const std::string& type)
{
    static const std::set<std::string> kNetwork = {"nfs",        "nfs4", "cifs", "smb3",  "smbfs",      "ncpfs",
                                                   "fuse.sshfs", "afs",  "9p",   "davfs", "fuse.rclone"};
    return kNetwork.count(type) != 0;
}

bool IsPseudoType(const std::string& type)
{
    static const std::set<std::string> kPseudo = {
        "proc",       "sysfs",    "devtmpfs", "devpts",          "tmpfs",       "cgroup",     "cgroup2",
        "securityfs", "pstore",   "debugfs",  "tracefs",         "configfs",    "fusectl",    "mqueue",
        "hugetlbfs",  "bpf",      "autofs",   "binfmt_misc",     "efivarfs",    "rpc_pipefs", "nsfs",
        "overlay",    "squashfs", "ramfs",    "fuse.gvfsd-fuse", "fuse.portal", "selinuxfs",  "rootfs"};
    return kPseudo.count(type) != 0;
}

bool Under(const std::string& path, const std::string& top)
{
    if (top == "/")
        return !path.empty() && path[0] == '/';
    return path == top ||
           (path.size() > top.size() && path.compare(0, top.size(), top) == 0 && path[top.size()] == '/');
}

bool IsRemovablePlace(const std::string& path)
{
    return Under(path, "/media") || Under(path, "/run/media") || Under(path, "/mnt");
}

}  // namespace

std::size_t DriveIndexOf(const std::vector<DriveEntry>& drives, const std::string& dir)
{
    std::size_t best = 0, bestLength = 0;
    for (std::size_t i = 0; i < drives.size(); ++i) {
        if (Under(dir, drives[i].path) && drives[i].path.size() >= bestLength) {
            best = i;
            bestLength = drives[i].path.size();
        }
    }
    return best;
}

std::vector<DriveEntry> DrivesFromMountTable(const std::string& table, const std::string& home)
{
    struct Mount {
        std::string path, type;
    };
    std::vector<Mount> mounts;
    std::istringstream lines(table);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, path, type;
        if (fields >> device >> path >> type)
            mounts.push_back({Unescaped(path), type});
    }
    // The file system holding the home directory: the longest real mount above it.
    std::string homeTop;
    for (const Mount& m : mounts)
        if (!IsPseudoType(m.type) && !home.empty() && Under(home, m.path) && m.path.size() > homeTop.size())
            homeTop = m.path;

    std::vector<DriveEntry> drives{{"/", "/"}};
    // The places already listed are indexed: thousands of mounts cost one
    // look-up each.
    std::unordered_set<std::string> known{"/"};
    for (const Mount& m : mounts) {
        if (m.path == "/" || IsPseudoType(m.type))
            continue;
        const bool network = IsNetworkType(m.type);
        if (!(m.path == homeTop || network || IsRemovablePlace(m.path)))
            continue;
        if (known.insert(m.path).second)
            drives.push_back({m.path + " (" + m.type + ")", m.path});
    }
    return drives;
}

std::vector<DirectoryEntry> DirectoryTree(const std::string& dir, const std::vector<std::string>& subdirs)
{
    std::vector<DirectoryEntry> tree{{"/", "/", 0, true}};
    std::string path;
    int depth = 0;
    std::size_t start = 1;
    while (start < dir.size()) {
        std::size_t end = dir.find('/', start);
        if (end == std::string::npos)
            end = dir.size();
        if (end > start) {
            const std::string name = dir.substr(start, end - start);
            path += "/" + name;
            tree.push_back({name, path, ++depth, true});
        }
        start = end + 1;
    }
    for (const std::string& name : subdirs)
        tree.push_back({name, JoinFilePath(path.empty() ? "/" : path, name), depth + 1, false});
    return tree;
}

DirectoryListing ListDirectory(const std::string& dir)
{
    DirectoryListing listing;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.')
            continue;
        std::error_code typeError;
        if (it->is_directory(typeError))
            listing.subdirs.push_back(name);
        else if (it->is_regular_file(typeError))
            listing.files.push_back(name);
    }
    std::sort(listing.subdirs.begin(), listing.subdirs.end());
    std::sort(listing.files.begin(), listing.files.end());
    return listing;
}

std::vector<std::string> FilesMatching(const std::vector<std::string>& files, const std::string& patterns)
{
    std::vector<std::string> matching;
    for (const std::string& name : files)
        if (MatchesFilePattern(name, patterns))
            matching.push_back(name);
    return matching;
}

std::string JoinFilePath(const std::string& dir, const std::string& name)
{
    if (name.empty())
        return {};
    if (!dir.empty() && dir.back() == '/')
        return dir + name;
    return dir + "/" + name;
}

std::string CurrentDirectory()
{
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    return ec ? std::string("/") : here.string();
}

void ChangeCurrentDirectory(const std::string& dir)
{
    std::error_code ec;
    fs::current_path(dir, ec);
    if (ec)
        throw ZelvaroError(dir + ": " + ec.message());
}
