// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/image_kind.h"

#include "image/image_file.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <utility>

namespace {

bool StartsWith(std::span<const uint8_t> head, std::string_view magic, std::size_t at = 0)
{
    return head.size() >= at + magic.size() && std::memcmp(head.data() + at, magic.data(), magic.size()) == 0;
}

uint32_t BigEndian32(std::span<const uint8_t> b, std::size_t at)
{
    return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 | b[at + 3];
}

uint32_t LittleEndian32(std::span<const uint8_t> b, std::size_t at)
{
    return uint32_t{b[at + 3]} << 24 | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 1]} << 8 | b[at];
}

// A bitmap's two letters are common text; the header that follows must be
// one of the sizes the bitmap versions define.
bool IsBitmap(std::span<const uint8_t> head)
{
    if (!StartsWith(head, "BM") || head.size() < 18)
        return false;
    static constexpr std::array<uint32_t, 7> kInfoSizes{12, 40, 52, 56, 64, 108, 124};
    return std::ranges::find(kInfoSizes, LittleEndian32(head, 14)) != kInfoSizes.end();
}

// An ISO base media file (HEIF, AVIF) opens with its file type box: a major
// brand, a version, then the compatible brands. An AV1 brand anywhere makes
// it AVIF (a file may say "mif1" first and "avif" after); otherwise an image
// brand of HEIF.
ImageKind IsoMediaKind(std::span<const uint8_t> head)
{
    if (head.size() < 16 || !StartsWith(head, "ftyp", 4))
        return ImageKind::Unknown;
    const std::size_t boxSize = BigEndian32(head, 0);
    if (boxSize < 16)
        return ImageKind::Unknown;
    const std::size_t end = std::min(boxSize, head.size());
    bool heif = false;
    for (std::size_t at = 8; at + 4 <= end; at += at == 8 ? 8 : 4) {
        const std::string_view brand(reinterpret_cast<const char*>(head.data() + at), 4);
        if (brand == "avif" || brand == "avis")
            return ImageKind::Avif;
        static constexpr std::array<std::string_view, 9> kHeif{"heic", "heix", "heim", "heis", "hevc",
                                                               "hevx", "hevm", "mif1", "msf1"};
        heif = heif || std::ranges::find(kHeif, brand) != kHeif.end();
    }
    return heif ? ImageKind::Heif : ImageKind::Unknown;
}

// An Image Pac names itself in its second sector; a file shorter than the
// largest base picture the reader takes is no whole Photo CD image.
bool IsPhotoCd(std::span<const uint8_t> head, uint64_t fileSize)
{
    constexpr uint64_t kBaseEnd = 0x30000 + 768 * 512 * 3 / 2;
    return StartsWith(head, "PCD_IPI", 0x800) && fileSize >= kBaseEnd;
}

}  // namespace

ImageKind SniffImageKind(std::span<const uint8_t> head, uint64_t fileSize)
{
    head = head.first(std::min<std::size_t>({head.size(), kImageKindHeadBytes, fileSize}));
    using namespace std::string_view_literals;
    if (StartsWith(head, "\xFF\xD8\xFF"))
        return ImageKind::Jpeg;
    if (StartsWith(head, "\x89PNG\r\n\x1A\n"))
        return ImageKind::Png;
    if (StartsWith(head, "GIF87a") || StartsWith(head, "GIF89a"))
        return ImageKind::Gif;
    // Classic and big TIFF, in either byte order.
    if (StartsWith(head, "II*\0"sv) || StartsWith(head, "MM\0*"sv) || StartsWith(head, "II+\0"sv) ||
        StartsWith(head, "MM\0+"sv))
        return ImageKind::Tiff;
    if (IsBitmap(head))
        return ImageKind::Bmp;
    if (StartsWith(head, "RIFF") && StartsWith(head, "WEBP", 8))
        return ImageKind::Webp;
    // A bare JPEG XL codestream, or the container's signature box.
    if (StartsWith(head, "\xFF\x0A") || StartsWith(head, "\0\0\0\x0CJXL \r\n\x87\n"sv))
        return ImageKind::Jxl;
    if (const ImageKind iso = IsoMediaKind(head); iso != ImageKind::Unknown)
        return iso;
    return IsPhotoCd(head, fileSize) ? ImageKind::PhotoCd : ImageKind::Unknown;
}

ImageKind SniffImageFile(const std::string& path)
{
    FileReadStatus status;
    const int fd = OpenImageFile(path, status);
    if (fd < 0)
        return ImageKind::Unknown;
    std::array<uint8_t, kImageKindHeadBytes> head{};
    std::size_t got = 0;
    while (got < head.size()) {
        const ssize_t n = ::read(fd, head.data() + got, head.size() - got);
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    const off_t size = ::lseek(fd, 0, SEEK_END);
    ::close(fd);
    return SniffImageKind(std::span(head).first(got), size < 0 ? got : static_cast<uint64_t>(size));
}

ImageKind ImageKindOfName(std::string_view name)
{
    const std::size_t dot = name.find_last_of('.');
    const std::size_t slash = name.find_last_of('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return ImageKind::Unknown;
    std::string ext(name.substr(dot + 1));
    std::ranges::transform(ext, ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static constexpr std::array<std::pair<std::string_view, ImageKind>, 17> kNames{{
        {"jpg", ImageKind::Jpeg},
        {"jpeg", ImageKind::Jpeg},
        {"jpe", ImageKind::Jpeg},
        {"jfif", ImageKind::Jpeg},
        {"png", ImageKind::Png},
        {"gif", ImageKind::Gif},
        {"tif", ImageKind::Tiff},
        {"tiff", ImageKind::Tiff},
        {"bmp", ImageKind::Bmp},
        {"pcd", ImageKind::PhotoCd},
        {"webp", ImageKind::Webp},
        {"heic", ImageKind::Heif},
        {"heif", ImageKind::Heif},
        {"heics", ImageKind::Heif},
        {"avif", ImageKind::Avif},
        {"avifs", ImageKind::Avif},
        {"jxl", ImageKind::Jxl},
    }};
    for (const auto& [spelling, kind] : kNames)
        if (ext == spelling)
            return kind;
    return ImageKind::Unknown;
}

ImageKind ReaderKindOf(const std::string& path)
{
    const ImageKind sniffed = SniffImageFile(path);
    return sniffed != ImageKind::Unknown ? sniffed : ImageKindOfName(path);
}
