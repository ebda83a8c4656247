// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/heif_decoder.h"

#include "image/heif_library.h"
#include "image/image_file.h"
#include "image/image_limits.h"

#include <memory>
#include <vector>

namespace {

// Hands a libheif object back through the loaded library's own function.
template <class T, class Release>
struct Releaser {
    Release release;
    void operator()(T* p) const { release(p); }
};
template <class T, class Release>
using Held = std::unique_ptr<T, Releaser<T, Release>>;
template <class T, class Release>
Held<T, Release> Hold(T* p, Release release)
{
    return Held<T, Release>(p, Releaser<T, Release>{release});
}

bool Fits(int w, int h, size_t bytes)
{
    return image_limits::Acceptable(w, h) &&
           image_limits::StoredBytesCanHold(w, h, bytes, image_limits::kMaxPixelsPerByteSkippingBlocks);
}

}  // namespace

ImageRead DecodeHeif(std::span<const uint8_t> bytes)
{
    const HeifLibrary* heif = HeifLibrary::Get();
    if (!heif)
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: libheif is not installed");
    auto ctx = Hold(heif->context_alloc(), heif->context_free);
    if (!ctx || bytes.empty())
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: not a HEIF file");
    if (heif->context_read_from_memory_without_copy(ctx.get(), bytes.data(), bytes.size(), nullptr).code !=
        heif_error_Ok)
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: not a HEIF file");
    heif_image_handle* raw = nullptr;
    if (heif->context_get_primary_image_handle(ctx.get(), &raw).code != heif_error_Ok)
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: no primary picture");
    auto handle = Hold(raw, heif->image_handle_release);
    // The stored size and the shown size (after a quarter turn) are both
    // checked before libheif allocates anything for the pixels.
    const int w = heif->image_handle_get_width(handle.get());
    const int h = heif->image_handle_get_height(handle.get());
    const int iw = heif->image_handle_get_ispe_width(handle.get());
    const int ih = heif->image_handle_get_ispe_height(handle.get());
    if (!Fits(w, h, bytes.size()) || !Fits(iw, ih, bytes.size()))
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: picture too large for its file");
    auto options = Hold(heif->decoding_options_alloc(), heif->decoding_options_free);
    if (!options)
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: no decoding options");
    options->ignore_transformations = 0;
    heif_image* decodedRaw = nullptr;
    if (heif->decode_image(handle.get(), &decodedRaw, heif_colorspace_RGB, heif_chroma_interleaved_RGB, options.get())
            .code != heif_error_Ok)
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: not decodable");
    auto decoded = Hold(decodedRaw, heif->image_release);
    int stride = 0;
    const uint8_t* plane = heif->image_get_plane_readonly(decoded.get(), heif_channel_interleaved, &stride);
    const int dw = heif->image_get_width(decoded.get(), heif_channel_interleaved);
    const int dh = heif->image_get_height(decoded.get(), heif_channel_interleaved);
    ImageRead out;
    DibPicture& pic = out.Picture;
    if (!plane || stride < dw * 3 || !pic.Allocate(dw, dh, 24))
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: no picture decoded");
    for (int y = 0; y < dh; ++y) {
        const uint8_t* s = plane + static_cast<size_t>(y) * stride;
        uint8_t* d = pic.TopRow(y);
        for (int x = 0; x < dw; ++x, s += 3, d += 3) {
            d[0] = s[2];
            d[1] = s[1];
            d[2] = s[0];
        }
    }
    out.FileBitCount = heif->image_handle_get_luma_bits_per_pixel(handle.get()) * 3;
    out.Failure = ReadFailure::None;
    return out;
}

ImageRead DecodeHeifFile(const std::string& path)
{
    std::vector<uint8_t> bytes;
    switch (ReadImageFile(path, bytes)) {
    case FileReadStatus::Ok: return DecodeHeif(bytes);
    case FileReadStatus::Missing: return ImageRead::Failed(ReadFailure::Missing, "HEIF: no such file");
    default: return ImageRead::Failed(ReadFailure::Unreadable, "HEIF: cannot read the file");
    }
}
