// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/typed_file_name.h"

#include "image/image_file.h"
#include "image/image_format.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// `path` made absolute against `directory`, with "." and ".." taken out.
std::string Resolved(const std::string& path, const std::string& directory, const std::string& home)
{
    std::filesystem::path full;
    if (path == "~" || path.rfind("~/", 0) == 0)
        full = std::filesystem::path(home) / path.substr(path.size() > 1 ? 2 : 1);
    else if (!path.empty() && path[0] == '/')
        full = path;
    else
        full = std::filesystem::path(directory) / path;
    std::string text = full.lexically_normal().string();
    if (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

}  // namespace

bool IsFolder(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

std::string PickerStartFolder(const std::string& current, const std::vector<std::string>& fallbacks)
{
    if (IsFolder(current))
        return current;
    if (const auto slash = current.rfind('/'); slash != std::string::npos) {
        const std::string parent = slash == 0 ? "/" : current.substr(0, slash);
        if (IsFolder(parent))
            return parent;
    }
    for (const std::string& folder : fallbacks) {
        if (IsFolder(folder))
            return folder;
    }
    return {};
}

TypedName ReadTypedName(const std::string& typed, const std::string& directory, const std::string& home)
{
    const std::string text = Trimmed(typed);
    TypedName result;
    if (text.empty())
        return result;
    const auto slash = text.rfind('/');
    const std::string last = slash == std::string::npos ? text : text.substr(slash + 1);
    if (last.find_first_of("*?") != std::string::npos) {
        result.kind = TypedNameKind::Pattern;
        result.pattern = last;
        if (slash != std::string::npos)
            result.folder = Resolved(text.substr(0, slash + 1), directory, home);
        return result;
    }
    const std::string path = Resolved(text, directory, home);
    if (IsFolder(path)) {
        result.kind = TypedNameKind::Folder;
        result.folder = path;
    } else {
        result.kind = TypedNameKind::File;
        result.file = path;
        std::error_code error;
        result.exists = std::filesystem::exists(path, error);
    }
    return result;
}

bool IsPictureFile(const std::string& path)
{
    const auto slash = path.rfind('/');
    const std::string_view name = std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
    return FormatOfName(name) != nullptr || SniffImageFormat(ImageFile(path)) != nullptr;
}
