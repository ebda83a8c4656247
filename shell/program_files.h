// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program's own files lie: the settings file and the help file,
// both named after the executable (its file name up to the first ".").

#include <functional>
#include <string>

// The settings file ("<name>.INI"). A copy whose folder the user can write
// keeps it beside the executable, as a portable copy always has; an installed
// copy (in /usr/bin, say) keeps it in `userConfigDir`, the user's own
// configuration folder for the program ($XDG_CONFIG_HOME/zelvaro).
std::string SettingsFilePath(const std::string& executablePath, bool executableFolderWritable,
                             const std::string& userConfigDir);

// An installed copy: the help file lies not beside the executable but in the
// data folder of the install prefix (`dataDirFromBin` from the executable's
// folder). Such a copy keeps its settings in the user's configuration folder
// even when its folder is writable, as /usr/bin is to root.
bool IsInstalledCopy(const std::string& executablePath, const std::string& dataDirFromBin,
                     const std::function<bool(const std::string&)>& fileExists);

// The help file ("<name>.HLP"): beside the executable when it is there, else in
// the data folder of an installed copy, `dataDirFromBin` being that folder
// relative to the executable's ("../share/zelvaro"), where it goes by the
// executable's name or, for a renamed copy, by the installed name "zelvaro".
// With none present, the path beside the executable, so a message names it.
std::string HelpFilePath(const std::string& executablePath, const std::string& dataDirFromBin,
                         const std::function<bool(const std::string&)>& fileExists);

// The help file in the interface's language: the one with `extension`
// (".en.HLP") where HelpFilePath would look, else the written one (".HLP").
std::string LanguageHelpFilePath(const std::string& executablePath, const std::string& dataDirFromBin,
                                 const std::function<bool(const std::string&)>& fileExists,
                                 const std::string& extension);

// The data folder of an installed copy, ending in "/": `dataDirFromBin` from
// the executable's folder ("/usr/bin/zelvaro" -> "/usr/share/zelvaro/").
std::string DataFolder(const std::string& executablePath, const std::string& dataDirFromBin);

// The folder of the sounds that ship ("sounds/", ending in "/"): beside the
// executable when it is there (a copy run from the build), else in the data
// folder of an installed copy.
std::string SoundFolder(const std::string& executablePath, const std::string& dataDirFromBin,
                        const std::function<bool(const std::string&)>& folderExists);
