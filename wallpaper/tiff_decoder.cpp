#include "wallpaper/tiff_decoder.h"

#include "wallpaper/image_limits.h"

#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

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

tsize_t Write(thandle_t, tdata_t, tsize_t) { return 0; }

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

int Close(thandle_t) { return 0; }
toff_t Size(thandle_t h) { return static_cast<MemoryFile*>(h)->bytes.size(); }
int Map(thandle_t, tdata_t*, toff_t*) { return 0; }
void Unmap(thandle_t, tdata_t, toff_t) {}

struct TiffCloser {
    void operator()(TIFF* t) const { TIFFClose(t); }
};

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

}  // namespace

TDecodedImage DecodeTiff(std::span<const uint8_t> bytes)
{
    SilenceLibtiff();
    TDecodedImage out;
    MemoryFile file{bytes, 0};
    std::unique_ptr<TIFF, TiffCloser> tif(
        TIFFClientOpen("image", "rm", &file, Read, Write, Seek, Close, Size, Map, Unmap));
    if (!tif)
        return out;
    uint32_t width = 0, height = 0;
    uint16_t bps = 1, spp = 1;
    TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_BITSPERSAMPLE, &bps);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_SAMPLESPERPIXEL, &spp);
    char message[1024] = {};
    if (!image_limits::Acceptable(width, height) || !TIFFRGBAImageOK(tif.get(), message))
        return out;

    // libtiff fills four bytes a pixel (R, G, B, A in memory), bottom row
    // first; each row is then packed to blue, green, red in place. The packed
    // row never starts after the unpacked one, so the copy runs forwards.
    const int w = static_cast<int>(width), h = static_cast<int>(height);
    const size_t stride = TPicture::RowStride(w, 24);
    TPicture::TBits bits(static_cast<size_t>(w) * h * 4, 0);  // strips that fail stay black
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
    out.FileBitCount = bps * spp;
    out.Ok = true;
    return out;
}
