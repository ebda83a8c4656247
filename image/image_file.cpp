#include "image/image_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

FileReadStatus ProbeImageFile(const std::string& path)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (path.empty() || !std::filesystem::exists(status))
        return FileReadStatus::Missing;
    return std::filesystem::is_regular_file(status) ? FileReadStatus::Ok : FileReadStatus::Unreadable;
}

FileReadStatus ReadImageFile(const std::string& path, std::vector<uint8_t>& bytes, uintmax_t maxBytes)
{
    bytes.clear();
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (path.empty() || !std::filesystem::exists(status))
        return FileReadStatus::Missing;
    if (!std::filesystem::is_regular_file(status))
        return FileReadStatus::Unreadable;
    const uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > maxBytes)
        return FileReadStatus::Unreadable;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return FileReadStatus::Unreadable;
    bytes.resize(static_cast<size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
        bytes.clear();
        return FileReadStatus::Unreadable;
    }
    return FileReadStatus::Ok;
}

bool WriteFileBeside(const std::string& path, ByteParts parts)
{
    if (path.empty())
        return false;
    const std::string temp = path + ".~new";
    bool ok = true;
    {
        std::FILE* out = std::fopen(temp.c_str(), "wb");
        if (!out)
            return false;
        for (const auto& part : parts) {
            if (!part.empty() && std::fwrite(part.data(), 1, part.size(), out) != part.size()) {
                ok = false;
                break;
            }
        }
        if (std::fclose(out) != 0)
            ok = false;
    }
    std::error_code ec;
    if (ok) {
        std::filesystem::rename(temp, path, ec);
        ok = !ec;
    }
    if (!ok)
        std::filesystem::remove(temp, ec);
    return ok;
}
