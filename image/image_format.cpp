// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/image_format.h"

#include <algorithm>
#include <cctype>

const ImageFormat* SniffImageFormat(std::span<const uint8_t> head, uint64_t fileSize)
{
    head = head.first(std::min<std::size_t>({head.size(), kImageHeadBytes, fileSize}));
    for (const ImageFormat* format : ImageFormats())
        if (format->Signature(head, fileSize))
            return format;
    return nullptr;
}

const ImageFormat* SniffImageFormat(const ImageFile& file)
{
    return file.Ok() ? SniffImageFormat(file.Head(), file.Size()) : nullptr;
}

const ImageFormat* FormatOfName(std::string_view name, const FileExtension** spelling)
{
    const std::size_t dot = name.find_last_of('.');
    const std::size_t slash = name.find_last_of('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return nullptr;
    std::string ext(name.substr(dot + 1));
    std::ranges::transform(ext, ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const ImageFormat* format : ImageFormats())
        for (const FileExtension& extension : format->Extensions)
            if (ext == extension.Spelling) {
                if (spelling)
                    *spelling = &extension;
                return format;
            }
    return nullptr;
}

const ImageFormat* ReaderFormatOf(const ImageFile& file)
{
    const ImageFormat* sniffed = SniffImageFormat(file);
    return sniffed ? sniffed : FormatOfName(file.Path());
}
