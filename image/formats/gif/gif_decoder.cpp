// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/gif/gif_decoder.h"

#include "image/image_file.h"
#include "image/image_limits.h"

#include <gif_lib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct MemoryReader {
    std::span<const uint8_t> bytes;
    size_t at = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int size)
{
    auto* r = static_cast<MemoryReader*>(gif->UserData);
    const size_t n = std::min(static_cast<size_t>(std::max(size, 0)), r->bytes.size() - r->at);
    std::memcpy(buffer, r->bytes.data() + r->at, n);
    r->at += n;
    return static_cast<int>(n);
}

// The file read through a buffer of its own: giflib asks for a few bytes at
// a time, and stdio's 4 KB buffer would take hundreds of system calls for a
// wallpaper-sized file.
struct FileReader {
    explicit FileReader(int descriptor) : fd(descriptor), buffer(64 * 1024) {}
    ~FileReader() { ::close(fd); }
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;
    int fd;
    std::vector<uint8_t> buffer;
    size_t at = 0, filled = 0;
};

int ReadFromFile(GifFileType* gif, GifByteType* out, int size)
{
    auto* r = static_cast<FileReader*>(gif->UserData);
    int done = 0;
    while (done < size) {
        if (r->at == r->filled) {
            ssize_t got = 0;
            do
                got = ::read(r->fd, r->buffer.data(), r->buffer.size());
            while (got < 0 && errno == EINTR);
            if (got <= 0)
                break;
            r->at = 0;
            r->filled = static_cast<size_t>(got);
        }
        const size_t n = std::min(static_cast<size_t>(size - done), r->filled - r->at);
        std::memcpy(out + done, r->buffer.data() + r->at, n);
        r->at += n;
        done += static_cast<int>(n);
    }
    return done;
}

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

void SetPalette(const ColorMapObject* map, DibPicture& pic)
{
    if (!map || !map->Colors || map->ColorCount <= 0) {
        pic.Palette.resize(256);
        for (int i = 0; i < 256; ++i)
            pic.Palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i), 0};
        return;
    }
    const int count = std::min(map->ColorCount, 256);
    pic.Palette.resize(count);
    for (int i = 0; i < count; ++i)
        pic.Palette[i] = {map->Colors[i].Blue, map->Colors[i].Green, map->Colors[i].Red, 0};
}

// Reads the frame's rows (in interlaced order when asked) and copies the
// part inside the screen; transparent pixels are left as they are.
bool ReadFrame(GifFileType* gif, int transparent, DibPicture& pic)
{
    const GifImageDesc& d = gif->Image;
    if (!image_limits::Acceptable(d.Width, d.Height))
        return false;
    std::vector<GifPixelType> line(static_cast<size_t>(d.Width));
    static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    const int passes = d.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = d.Interlace ? kStart[pass] : 0, step = d.Interlace ? kStep[pass] : 1;
        for (int row = start; row < d.Height; row += step) {
            const int y = d.Top + row;
            // A frame row wholly inside the screen, without transparency, is
            // decoded in place.
            const bool direct = transparent < 0 && y >= 0 && y < pic.Height && d.Left + d.Width <= pic.Width;
            uint8_t* target = direct ? pic.TopRow(y) + d.Left : line.data();
            if (DGifGetLine(gif, target, d.Width) != GIF_OK)
                return row > 0 || pass > 0;  // a truncated frame keeps the rows it has
            if (direct || y < 0 || y >= pic.Height)
                continue;
            uint8_t* dst = pic.TopRow(y);
            for (int x = 0; x < d.Width; ++x) {
                const int sx = d.Left + x;
                if (sx >= pic.Width)
                    break;
                if (line[x] != transparent)
                    dst[sx] = line[x];
            }
        }
    }
    return true;
}

ImageRead DecodeOpened(GifFileType* opened, uint64_t fileBytes);

}  // namespace

ImageRead DecodeGif(std::span<const uint8_t> bytes)
{
    MemoryReader reader{bytes, 0};
    int error = 0;
    return DecodeOpened(DGifOpen(&reader, ReadFromMemory, &error), bytes.size());
}

ImageRead DecodeGifFile(const ImageFile& file)
{
    int error = 0;
    const int fd = file.Descriptor();
    if (fd < 0)
        return ImageRead::Failed(OpenFailureOf(file), "GIF: cannot open the file");
    FileReader reader(fd);  // closes the descriptor
    return DecodeOpened(DGifOpen(&reader, ReadFromFile, &error), file.Size());
}

namespace {

// Takes the handle over and decodes the first frame.
ImageRead DecodeOpened(GifFileType* opened, uint64_t fileBytes)
{
    ImageRead out;
    GifHandle gif(opened);
    if (!gif)
        return out;
    int transparent = -1;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &type) != GIF_OK || type == TERMINATE_RECORD_TYPE)
            return ImageRead::Failed(ReadFailure::NotValid, "GIF: no frame");
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* ext = nullptr;
            if (DGifGetExtension(gif.get(), &code, &ext) != GIF_OK)
                return ImageRead::Failed(ReadFailure::NotValid, "GIF: not decodable");
            if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4) {
                GraphicsControlBlock gcb;
                if (DGifExtensionToGCB(ext[0], ext + 1, &gcb) == GIF_OK)
                    transparent = gcb.TransparentColor;
            }
            while (ext) {
                if (DGifGetExtensionNext(gif.get(), &ext) != GIF_OK)
                    return ImageRead::Failed(ReadFailure::NotValid, "GIF: not decodable");
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            continue;
        if (DGifGetImageDesc(gif.get()) != GIF_OK)
            return ImageRead::Failed(ReadFailure::NotValid, "GIF: not decodable");
        const GifImageDesc& d = gif->Image;
        const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
        // A screen of zero size takes the frame's.
        const int width = gif->SWidth > 0 ? gif->SWidth : d.Left + d.Width;
        const int height = gif->SHeight > 0 ? gif->SHeight : d.Top + d.Height;
        DibPicture& pic = out.Picture;
        // A screen far larger than the file could fill is refused before
        // it is allocated.
        if (!image_limits::StoredBytesCanHold(width, height, fileBytes) || !pic.Allocate(width, height, 8, false))
            return ImageRead::Failed(ReadFailure::NotValid, "GIF: not decodable");
        SetPalette(map, pic);
        // The screen starts as its background colour (index 0 without one).
        const int background = gif->SColorMap && gif->SBackGroundColor < static_cast<int>(pic.Palette.size())
                                   ? gif->SBackGroundColor
                                   : 0;
        for (int y = 0; y < height; ++y) {
            std::memset(pic.TopRow(y), background, static_cast<size_t>(width));
            std::memset(pic.TopRow(y) + width, 0, pic.Stride() - static_cast<size_t>(width));
        }
        if (!ReadFrame(gif.get(), transparent, pic))
            return ImageRead::Failed(ReadFailure::NotValid, "GIF: not decodable");
        const ColorMapObject* fileMap = gif->SColorMap ? gif->SColorMap : d.ColorMap;
        out.FileBitCount = fileMap ? fileMap->BitsPerPixel : 8;
        out.Failure = ReadFailure::None;
        return out;
    }
}

}  // namespace
