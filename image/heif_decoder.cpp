// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/heif_decoder.h"

#include "image/image_file.h"
#include "image/image_limits.h"

#include <memory>
#include <vector>

#include <libheif/heif.h>

namespace {

struct ContextFree {
    void operator()(heif_context* c) const { heif_context_free(c); }
};
struct HandleFree {
    void operator()(heif_image_handle* h) const { heif_image_handle_release(h); }
};
struct ImageFree {
    void operator()(heif_image* i) const { heif_image_release(i); }
};
struct OptionsFree {
    void operator()(heif_decoding_options* o) const { heif_decoding_options_free(o); }
};

bool Fits(int w, int h, size_t bytes)
{
    return image_limits::Acceptable(w, h) &&
           image_limits::StoredBytesCanHold(w, h, bytes, image_limits::kMaxPixelsPerByteSkippingBlocks);
}

}  // namespace

ImageRead DecodeHeif(std::span<const uint8_t> bytes)
{
    std::unique_ptr<heif_context, ContextFree> ctx(heif_context_alloc());
    if (!ctx || bytes.empty())
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: not a HEIF file");
    if (heif_context_read_from_memory_without_copy(ctx.get(), bytes.data(), bytes.size(), nullptr).code !=
        heif_error_Ok)
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: not a HEIF file");
    heif_image_handle* raw = nullptr;
    if (heif_context_get_primary_image_handle(ctx.get(), &raw).code != heif_error_Ok)
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: no primary picture");
    std::unique_ptr<heif_image_handle, HandleFree> handle(raw);
    // The stored size and the shown size (after a quarter turn) are both
    // checked before libheif allocates anything for the pixels.
    const int w = heif_image_handle_get_width(handle.get());
    const int h = heif_image_handle_get_height(handle.get());
    const int iw = heif_image_handle_get_ispe_width(handle.get());
    const int ih = heif_image_handle_get_ispe_height(handle.get());
    if (!Fits(w, h, bytes.size()) || !Fits(iw, ih, bytes.size()))
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: picture too large for its file");
    std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
    if (!options)
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: no decoding options");
    options->ignore_transformations = 0;
    heif_image* decodedRaw = nullptr;
    if (heif_decode_image(handle.get(), &decodedRaw, heif_colorspace_RGB, heif_chroma_interleaved_RGB, options.get())
            .code != heif_error_Ok)
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: not decodable");
    std::unique_ptr<heif_image, ImageFree> decoded(decodedRaw);
    int stride = 0;
    const uint8_t* plane = heif_image_get_plane_readonly(decoded.get(), heif_channel_interleaved, &stride);
    const int dw = heif_image_get_width(decoded.get(), heif_channel_interleaved);
    const int dh = heif_image_get_height(decoded.get(), heif_channel_interleaved);
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
    out.FileBitCount = heif_image_handle_get_luma_bits_per_pixel(handle.get()) * 3;
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
