// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the pickers show of the file system: the drives a person would choose
// from, the directory tree of the current directory and its files. The
// pickers work on the process's current directory, so the next picker opens
// where the last one was left.

#include <string>
#include <vector>

struct DriveEntry {
    std::string label;  // "/", "/home", "/media/usb (vfat)"
    std::string path;   // the file system's top directory
};

// The drives of a mount table in the /proc/self/mounts form: the root, the
// file system holding `home`, removable media (under /media, /run/media and
// /mnt) and network file systems; pseudo file systems never. In the table's
// order, the root first, each top directory once.
std::vector<DriveEntry> DrivesFromMountTable(const std::string& table, const std::string& home);

// The index of the drive that holds `dir` (the longest top directory that is
// a prefix of it), 0 when none does.
std::size_t DriveIndexOf(const std::vector<DriveEntry>& drives, const std::string& dir);

struct DirectoryEntry {
    std::string label;  // the last name ("/" for the root)
    std::string path;   // full path
    int depth = 0;      // indentation level
    bool open = false;  // the current directory or one above it
};

// The tree list: the root and every directory down to `dir` (open), then the
// subdirectories of `dir` one level deeper. `dir` is absolute.
std::vector<DirectoryEntry> DirectoryTree(const std::string& dir, const std::vector<std::string>& subdirs);

struct DirectoryListing {
    std::vector<std::string> subdirs;  // names, sorted
    std::vector<std::string> files;    // names of regular files (or links to them), sorted
};

// Lists a directory; hidden names (beginning with ".") are left out, and an
// unreadable directory lists nothing.
DirectoryListing ListDirectory(const std::string& dir);

// The names of `files` that match the ";"-separated patterns.
std::vector<std::string> FilesMatching(const std::vector<std::string>& files, const std::string& patterns);

// The directory and the name joined with "/"; empty when no name is given.
std::string JoinFilePath(const std::string& dir, const std::string& name);

// The process's current directory, and a change of it. A refused change
// raises ZelvaroError with the system's reason.
std::string CurrentDirectory();
void ChangeCurrentDirectory(const std::string& dir);
