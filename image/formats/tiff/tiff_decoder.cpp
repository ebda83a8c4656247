// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/tiff/tiff_decoder.h"

#include "image/formats/two_threads.h"
#include "image/image_file.h"
#include "image/image_limits.h"

#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

struct MemoryFile {
    std::span<const uint8_t> bytes;
    toff_t at = 0;
};

tsize_t Read(thandle_t h, tdata_t buf, tsize_t size)
{
    auto* f = static_cast<MemoryFile*>(h);
    if (size <= 0 || f->at >= f->bytes.size())
        return 0;
    const size_t n = std::min<size_t>(static_cast<size_t>(size), f->bytes.size() - f->at);
    std::memcpy(buf, f->bytes.data() + f->at, n);
    f->at += n;
    return static_cast<tsize_t>(n);
}

tsize_t Write(thandle_t, tdata_t, tsize_t)
{
    return 0;
}

toff_t Seek(thandle_t h, toff_t off, int whence)
{
    auto* f = static_cast<MemoryFile*>(h);
    toff_t base = 0;
    if (whence == SEEK_CUR)
        base = f->at;
    else if (whence == SEEK_END)
        base = f->bytes.size();
    if (off > std::numeric_limits<toff_t>::max() - base)
        return static_cast<toff_t>(-1);
    f->at = base + off;
    return f->at;
}

int Close(thandle_t)
{
    return 0;
}
// A second handle over the same bytes owns its read position.
int CloseOwned(thandle_t h)
{
    delete static_cast<MemoryFile*>(h);
    return 0;
}
toff_t Size(thandle_t h)
{
    return static_cast<MemoryFile*>(h)->bytes.size();
}
int Map(thandle_t, tdata_t*, toff_t*)
{
    return 0;
}
void Unmap(thandle_t, tdata_t, toff_t)
{}

struct TiffCloser {
    void operator()(TIFF* t) const { TIFFClose(t); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;
// Opens the same file once more, so another thread can decode some of its
// strips (a libtiff handle serves one thread at a time).
using Reopen = std::function<TiffHandle()>;

// libtiff prints its errors and warnings on stderr by default; a failed read
// is reported by the component itself, so they are silenced once.
void SilenceLibtiff()
{
    static const bool silenced = [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
        return true;
    }();
    (void)silenced;
}

// A decoded row of red, green, blue turned to blue, green, red where it lies.
void SwapRedBlue(uint8_t* row, int w)
{
    for (int x = 0; x < w; ++x, row += 3)
        std::swap(row[0], row[2]);
}

// Rows [top, bottom) of an 8-bit RGB strip image, each decoded straight into
// its picture row (bottom-up) and turned around while it is still in the
// cache; the padding is zeroed. False when a row fails.
bool DecodeRows(TIFF* tif, int top, int bottom, int w, DibPicture& pic)
{
    const size_t rowBytes = static_cast<size_t>(w) * 3;
    const size_t stride = pic.Stride();
    for (int y = top; y < bottom; ++y) {
        uint8_t* row = pic.TopRow(y);
        if (TIFFReadScanline(tif, row, static_cast<uint32_t>(y), 0) != 1)
            return false;
        SwapRedBlue(row, w);
        std::fill(row + rowBytes, row + stride, uint8_t{0});
    }
    return true;
}

// The common photo layout (8-bit RGB, interleaved, in strips, top row first)
// is read row by row straight into the bottom-up rows; false when the
// file has another layout or a row fails, for the general path to take over.
bool ReadRgbStrips(TIFF* tif, int w, int h, DibPicture& pic, const Reopen& reopen)
{
    uint16_t bps = 0, spp = 0, photometric = 0, planar = PLANARCONFIG_CONTIG, orientation = ORIENTATION_TOPLEFT;
    uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bps);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric) || photometric != PHOTOMETRIC_RGB || bps != 8 ||
        spp != 3 || planar != PLANARCONFIG_CONTIG || orientation != ORIENTATION_TOPLEFT || TIFFIsTiled(tif) ||
        compression == COMPRESSION_OJPEG || compression == COMPRESSION_JPEG)
        return false;
    if (static_cast<size_t>(TIFFScanlineSize64(tif)) != static_cast<size_t>(w) * 3)
        return false;
    if (!pic.Allocate(w, h, 24, false))
        return false;
    const uint32_t strips = TIFFNumberOfStrips(tif);
    uint32_t rowsPerStrip = 0;
    TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    rowsPerStrip = std::min<uint32_t>(rowsPerStrip, static_cast<uint32_t>(h));
    if (strips < 2 || rowsPerStrip == 0 || std::thread::hardware_concurrency() < 2 ||
        static_cast<uint64_t>(strips) * rowsPerStrip < static_cast<uint64_t>(h) || !reopen)
        return DecodeRows(tif, 0, h, w, pic);
    // Independent strips, shared out one at a time between this thread and
    // another core's, which opens a handle of its own while this one starts.
    std::atomic<uint32_t> next{0};
    std::atomic<bool> failed{false};
    const auto work = [&](TIFF* t) {
        for (uint32_t s = next++; s < strips && !failed; s = next++) {
            const uint64_t top = static_cast<uint64_t>(s) * rowsPerStrip;
            if (top >= static_cast<uint64_t>(h))
                break;
            const int bottom = static_cast<int>(std::min<uint64_t>(top + rowsPerStrip, h));
            if (!DecodeRows(t, static_cast<int>(top), bottom, w, pic))
                failed = true;
        }
        return !failed;
    };
    // Without a second handle the worker takes no strip: this thread takes them all.
    const TwoThreadResult parts = RunOnTwoThreads([&] { return work(tif); },
                                                  [&] {
                                                      const TiffHandle other = reopen();
                                                      return !other || work(other.get());
                                                  });
    return parts.here && parts.there;
}

ImageRead DecodeOpened(TIFF* opened, uint64_t fileBytes, const Reopen& reopen);

// The bytes of picture data the file really holds: each strip or tile's
// stated size, cut where the file ends.
uint64_t StoredBytes(TIFF* tif, uint64_t fileBytes)
{
    const uint32_t striles = TIFFIsTiled(tif) ? TIFFNumberOfTiles(tif) : TIFFNumberOfStrips(tif);
    if (striles > fileBytes)
        return 0;  // each strip's place takes bytes of the file: these cannot all be there
    uint64_t stored = 0;
    for (uint32_t i = 0; i < striles && stored < fileBytes; ++i) {
        const uint64_t offset = TIFFGetStrileOffset(tif, i);
        const uint64_t count = TIFFGetStrileByteCount(tif, i);
        if (offset < fileBytes)
            stored += std::min(count, fileBytes - offset);
    }
    return std::min(stored, fileBytes);
}

// Whether the file can hold the picture its header promises: uncompressed
// data must be there (half of it at least, for subsampled colour), and
// compressed data within a plausible ratio.
bool HoldsItsPicture(TIFF* tif, uint32_t width, uint32_t height, uint16_t bps, uint16_t spp, uint64_t fileBytes)
{
    const uint64_t stored = StoredBytes(tif, fileBytes);
    uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    if (compression == COMPRESSION_NONE &&
        stored * 16 < uint64_t{width} * height * std::max<uint16_t>(bps, 1) * std::max<uint16_t>(spp, 1))
        return false;
    return image_limits::StoredBytesCanHold(width, height, stored);
}

}  // namespace

ImageRead DecodeTiff(std::span<const uint8_t> bytes)
{
    SilenceLibtiff();
    MemoryFile file{bytes, 0};
    const Reopen reopen = [bytes] {
        auto* own = new MemoryFile{bytes, 0};
        TIFF* t = TIFFClientOpen("image", "rm", own, Read, Write, Seek, CloseOwned, Size, Map, Unmap);
        if (!t)
            delete own;
        return TiffHandle(t);
    };
    return DecodeOpened(TIFFClientOpen("image", "rm", &file, Read, Write, Seek, Close, Size, Map, Unmap), bytes.size(),
                        reopen);
}

ImageRead DecodeTiffFile(const ImageFile& file)
{
    SilenceLibtiff();
    const int fd = file.Descriptor();
    if (fd < 0)
        return ImageRead::Failed(OpenFailureOf(file), "TIFF: cannot open the file");
    const std::string& path = file.Path();
    const uint64_t size = file.Size();
    TIFF* opened = TIFFFdOpen(fd, path.c_str(), "r");
    if (!opened)  // TIFFClose closes the descriptor of an opened file only
        ::close(fd);
    // The second handle opens the very file this descriptor holds, with a
    // read position of its own.
    const Reopen reopen = [fd, path] {
        const int again = ReopenImageFile(fd);
        if (again < 0)
            return TiffHandle();
        TIFF* t = TIFFFdOpen(again, path.c_str(), "r");
        if (!t)
            ::close(again);
        return TiffHandle(t);
    };
    return DecodeOpened(opened, size, reopen);
}

namespace {

// Takes the handle over and decodes its first image.
ImageRead DecodeOpened(TIFF* opened, uint64_t fileBytes, const Reopen& reopen)
{
    ImageRead out;
    TiffHandle tif(opened);
    if (!tif)
        return out;
    uint32_t width = 0, height = 0;
    uint16_t bps = 1, spp = 1;
    TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_BITSPERSAMPLE, &bps);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_SAMPLESPERPIXEL, &spp);
    char message[1024] = {};
    if (!image_limits::Acceptable(width, height) || !HoldsItsPicture(tif.get(), width, height, bps, spp, fileBytes) ||
        !TIFFRGBAImageOK(tif.get(), message))
        return out;

    out.FileBitCount = bps * spp;
    if (ReadRgbStrips(tif.get(), static_cast<int>(width), static_cast<int>(height), out.Picture, reopen)) {
        out.Failure = ReadFailure::None;
        return out;
    }
    out.Picture.Clear();

    // libtiff fills four bytes a pixel (R, G, B, A in memory), bottom row
    // first; each row is then packed to blue, green, red in place. The packed
    // row never starts after the unpacked one, so the copy runs forwards.
    const int w = static_cast<int>(width), h = static_cast<int>(height);
    const size_t stride = DibPicture::RowStride(w, 24);
    DibPicture::PixelBytes bits(static_cast<size_t>(w) * h * 4, 0);  // strips that fail stay black
    if (!TIFFReadRGBAImageOriented(tif.get(), width, height, reinterpret_cast<uint32_t*>(bits.data()),
                                   ORIENTATION_BOTLEFT, 0))
        return out;
    for (int y = 0; y < h; ++y) {
        const uint8_t* s = bits.data() + static_cast<size_t>(y) * w * 4;
        uint8_t* d = bits.data() + static_cast<size_t>(y) * stride;
        for (int x = 0; x < w; ++x, s += 4, d += 3) {
            const uint8_t r = s[0], g = s[1], b = s[2];
            d[0] = b;
            d[1] = g;
            d[2] = r;
        }
        for (size_t pad = static_cast<size_t>(w) * 3; pad < stride; ++pad)
            bits[static_cast<size_t>(y) * stride + pad] = 0;
    }
    bits.resize(stride * h);
    out.Picture.Width = w;
    out.Picture.Height = h;
    out.Picture.BitCount = 24;
    out.Picture.Bits = std::move(bits);
    out.Failure = ReadFailure::None;
    return out;
}

}  // namespace
