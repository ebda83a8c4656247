// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/program_files.h"

#include "shell/settings_file.h"

#include <filesystem>

namespace {

std::string FileNameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

std::string SettingsFilePath(const std::string& executablePath, bool executableFolderWritable,
                             const std::string& userConfigDir)
{
    if (executableFolderWritable || userConfigDir.empty())
        return ProgramFilePath(executablePath, ".INI");
    std::string dir = userConfigDir;
    if (dir.back() != '/')
        dir += '/';
    return ProgramFilePath(dir + FileNameOf(executablePath), ".INI");
}

namespace {

std::string HelpFileWith(const std::string& executablePath, const std::string& dataDirFromBin,
                         const std::function<bool(const std::string&)>& fileExists, const std::string& extension)
{
    const std::string beside = ProgramFilePath(executablePath, extension);
    if (fileExists(beside) || dataDirFromBin.empty())
        return beside;
    const std::filesystem::path dataDir =
        (std::filesystem::path(FolderOf(executablePath)) / dataDirFromBin).lexically_normal();
    for (const std::string& name : {FileNameOf(executablePath), std::string("zelvaro")}) {
        const std::string installed = ProgramFilePath((dataDir / name).string(), extension);
        if (fileExists(installed))
            return installed;
    }
    return beside;
}

}  // namespace

std::string HelpFilePath(const std::string& executablePath, const std::string& dataDirFromBin,
                         const std::function<bool(const std::string&)>& fileExists)
{
    return HelpFileWith(executablePath, dataDirFromBin, fileExists, ".HLP");
}

std::string LanguageHelpFilePath(const std::string& executablePath, const std::string& dataDirFromBin,
                                 const std::function<bool(const std::string&)>& fileExists,
                                 const std::string& extension)
{
    const std::string translated = HelpFileWith(executablePath, dataDirFromBin, fileExists, extension);
    return fileExists(translated) ? translated : HelpFilePath(executablePath, dataDirFromBin, fileExists);
}

std::string DataFolder(const std::string& executablePath, const std::string& dataDirFromBin)
{
    std::string folder = (std::filesystem::path(FolderOf(executablePath)) / dataDirFromBin).lexically_normal().string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

bool IsInstalledCopy(const std::string& executablePath, const std::string& dataDirFromBin,
                     const std::function<bool(const std::string&)>& fileExists)
{
    const std::string help = HelpFilePath(executablePath, dataDirFromBin, fileExists);
    return help != ProgramFilePath(executablePath, ".HLP") && fileExists(help);
}

std::string SoundFolder(const std::string& executablePath, const std::string& dataDirFromBin,
                        const std::function<bool(const std::string&)>& folderExists)
{
    const std::string beside = FolderOf(executablePath) + "sounds/";
    if (folderExists(beside) || dataDirFromBin.empty())
        return beside;
    return DataFolder(executablePath, dataDirFromBin) + "sounds/";
}
