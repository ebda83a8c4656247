#include "wallpaper/jpeg_decoder.h"

#include "wallpaper/image_limits.h"

#include <turbojpeg.h>

#include <memory>

namespace {

struct TjDeleter {
    void operator()(void* h) const { tjDestroy(h); }
};
using TjHandle = std::unique_ptr<void, TjDeleter>;

// Progressive files can carry thousands of scans of a few bytes each; a limit
// keeps the work in proportion to the file.
constexpr int kFlags = TJFLAG_BOTTOMUP | TJFLAG_LIMITSCANS;

void GreyPalette(TPicture& pic)
{
    pic.Palette.resize(256);
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<uint8_t>(i);
        pic.Palette[i] = {v, v, v, 0};
    }
}

// CMYK files (as Adobe writes them, inverted) to blue, green, red.
bool DecodeCmyk(tjhandle tj, std::span<const uint8_t> bytes, TPicture& pic)
{
    std::vector<uint8_t> cmyk(static_cast<size_t>(pic.Width) * pic.Height * 4);
    if (tjDecompress2(tj, bytes.data(), static_cast<unsigned long>(bytes.size()), cmyk.data(), pic.Width,
                      pic.Width * 4, pic.Height, TJPF_CMYK, kFlags) != 0 &&
        tjGetErrorCode(tj) != TJERR_WARNING)
        return false;
    for (int y = 0; y < pic.Height; ++y) {
        const uint8_t* s = cmyk.data() + static_cast<size_t>(y) * pic.Width * 4;
        uint8_t* d = pic.Bits.data() + static_cast<size_t>(y) * pic.Stride();
        for (int x = 0; x < pic.Width; ++x, s += 4, d += 3) {
            const unsigned k = s[3];
            d[0] = static_cast<uint8_t>(s[2] * k / 255);
            d[1] = static_cast<uint8_t>(s[1] * k / 255);
            d[2] = static_cast<uint8_t>(s[0] * k / 255);
        }
    }
    return true;
}

}  // namespace

TDecodedImage DecodeJpeg(std::span<const uint8_t> bytes)
{
    TDecodedImage out;
    if (bytes.size() < 4)
        return out;
    TjHandle handle(tjInitDecompress());
    if (!handle)
        return out;
    tjhandle tj = handle.get();
    int width = 0, height = 0, subsamp = 0, colorspace = 0;
    if (tjDecompressHeader3(tj, bytes.data(), static_cast<unsigned long>(bytes.size()), &width, &height, &subsamp,
                            &colorspace) != 0)
        return out;
    const bool grey = colorspace == TJCS_GRAY;
    const bool cmyk = colorspace == TJCS_CMYK || colorspace == TJCS_YCCK;
    TPicture& pic = out.Picture;
    if (!pic.Allocate(width, height, grey ? 8 : 24))
        return out;
    if (cmyk) {
        if (!DecodeCmyk(tj, bytes, pic))
            return TDecodedImage{};
        out.FileBitCount = 32;
    } else {
        if (grey)
            GreyPalette(pic);
        const int rc = tjDecompress2(tj, bytes.data(), static_cast<unsigned long>(bytes.size()), pic.Bits.data(),
                                     width, static_cast<int>(pic.Stride()), height, grey ? TJPF_GRAY : TJPF_BGR,
                                     kFlags);
        // A warning (corrupt data recovered from) still leaves a picture.
        if (rc != 0 && tjGetErrorCode(tj) != TJERR_WARNING)
            return TDecodedImage{};
        out.FileBitCount = grey ? 8 : 24;
    }
    out.Ok = true;
    return out;
}
