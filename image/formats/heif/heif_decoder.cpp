// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/heif/heif_decoder.h"

#include "image/formats/heif/heif_library.h"
#include "image/image_file.h"
#include "image/image_limits.h"
#include "image/formats/heif/threaded_hevc_decoder.h"
#include "image/formats/two_threads.h"

#include <algorithm>
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

// The largest block side (up to 8) whose averages still meet the hint.
int BlockFor(int w, int h, const ScaleHint& hint)
{
    int block = 1;
    if (!hint.Wanted())
        return block;
    while (block < 8 && hint.LargeEnough((w + block) / (block + 1), (h + block) / (block + 1)))
        ++block;
    return block;
}

// Each pixel of `pic` is the average of a block x block square of the
// interleaved red-green-blue plane (fewer pixels along the right and bottom
// edges), written blue first: rows [from, to) of `pic`.
void AverageBlocks(const uint8_t* plane, int stride, int w, int h, int block, DibPicture& pic, int from, int to)
{
    std::vector<uint32_t> sums(static_cast<size_t>(pic.Width) * 3);
    for (int oy = from; oy < to; ++oy) {
        std::fill(sums.begin(), sums.end(), 0u);
        const int y0 = oy * block, y1 = std::min(h, y0 + block);
        for (int y = y0; y < y1; ++y) {
            const uint8_t* s = plane + static_cast<size_t>(y) * stride;
            uint32_t* d = sums.data();
            for (int x0 = 0; x0 < w; x0 += block, d += 3) {
                for (int x = x0, x1 = std::min(w, x0 + block); x < x1; ++x, s += 3)
                    d[0] += s[2], d[1] += s[1], d[2] += s[0];
            }
        }
        uint8_t* d = pic.TopRow(oy);
        for (int ox = 0; ox < pic.Width; ++ox) {
            const uint32_t n = static_cast<uint32_t>((std::min(w, (ox + 1) * block) - ox * block) * (y1 - y0));
            for (int c = 0; c < 3; ++c, ++d)
                *d = static_cast<uint8_t>((sums[static_cast<size_t>(ox) * 3 + c] + n / 2) / n);
        }
    }
}

bool Fits(int w, int h, size_t bytes)
{
    return image_limits::Acceptable(w, h) &&
           image_limits::StoredBytesCanHold(w, h, bytes, image_limits::kMaxPixelsPerByteSkippingBlocks);
}

}  // namespace

ImageRead DecodeHeif(std::span<const uint8_t> bytes, const ScaleHint& hint)
{
    const HeifLibrary* heif = HeifLibrary::Get();
    if (!heif)
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: libheif is not installed");
    UseThreadedHevcDecoder(*heif);
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
    const int block = dw > 0 && dh > 0 ? BlockFor(dw, dh, hint) : 1;
    if (!plane || stride < dw * 3 || !pic.Allocate((dw + block - 1) / block, (dh + block - 1) / block, 24))
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: no picture decoded");
    if (block > 1) {
        // The rows are shared between two threads.
        const int half = pic.Height / 2;
        RunOnTwoThreads([&] { return AverageBlocks(plane, stride, dw, dh, block, pic, 0, half), true; },
                        [&] { return AverageBlocks(plane, stride, dw, dh, block, pic, half, pic.Height), true; });
    } else {
        for (int y = 0; y < dh; ++y) {
            const uint8_t* s = plane + static_cast<size_t>(y) * stride;
            uint8_t* d = pic.TopRow(y);
            for (int x = 0; x < dw; ++x, s += 3, d += 3) {
                d[0] = s[2];
                d[1] = s[1];
                d[2] = s[0];
            }
        }
    }
    out.FileBitCount = heif->image_handle_get_luma_bits_per_pixel(handle.get()) * 3;
    out.Failure = ReadFailure::None;
    return out;
}

ImageRead DecodeHeifFile(const std::string& path, const ScaleHint& hint)
{
    std::vector<uint8_t> bytes;
    switch (ReadImageFile(path, bytes)) {
    case FileReadStatus::Ok: return DecodeHeif(bytes, hint);
    case FileReadStatus::Missing: return ImageRead::Failed(ReadFailure::Missing, "HEIF: no such file");
    default: return ImageRead::Failed(ReadFailure::Unreadable, "HEIF: cannot read the file");
    }
}
