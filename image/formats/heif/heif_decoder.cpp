// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/heif/heif_decoder.h"

#include "image/formats/heif/heif_boxes.h"
#include "image/formats/heif/heif_library.h"
#include "image/formats/heif/threaded_hevc_decoder.h"
#include "image/formats/two_threads.h"
#include "image/image_file.h"
#include "image/image_limits.h"
#include "image/orientation.h"
#include "image/read_cancel.h"

#include <algorithm>
#include <array>
#include <cmath>
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

// What the file says its colours are: an ICC profile, or else nclx code
// points. The profile is read only when the library can tell it.
// `limitedRange` tells whether the nclx description says the samples run
// from 16 to 235 rather than over the whole range.
ColourTag HeifColourTag(const HeifLibrary& heif, const heif_image_handle* handle, bool& limitedRange)
{
    limitedRange = false;
    ColourTag tag;
    if (heif.image_handle_get_raw_color_profile_size && heif.image_handle_get_raw_color_profile) {
        const size_t size = heif.image_handle_get_raw_color_profile_size(handle);
        if (size > 0 && size <= kMostIccBytes) {
            tag.Icc.resize(size);
            if (heif.image_handle_get_raw_color_profile(handle, tag.Icc.data()).code != heif_error_Ok)
                tag.Icc.clear();
        }
    }
    heif_color_profile_nclx* nclx = nullptr;
    if (heif.image_handle_get_nclx_color_profile && heif.nclx_color_profile_release &&
        heif.image_handle_get_nclx_color_profile(handle, &nclx).code == heif_error_Ok && nclx) {
        limitedRange = nclx->full_range_flag == 0;
        if (tag.Icc.empty())
            tag = ColourTagFromNclx(nclx->color_primaries, nclx->transfer_characteristics);
    }
    if (nclx)
        heif.nclx_color_profile_release(nclx);
    return tag;
}

// The orientation the Exif block records (1 when there is none). The block
// starts with the offset of its TIFF header.
int HeifExifOrientation(const HeifLibrary& heif, const heif_image_handle* handle)
{
    heif_item_id id = 0;
    if (!heif.image_handle_get_list_of_metadata_block_IDs ||
        heif.image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) < 1)
        return 1;
    constexpr size_t kMostExifBytes = size_t{1} << 20;
    const size_t size = heif.image_handle_get_metadata_size(handle, id);
    if (size < 4 || size > kMostExifBytes)
        return 1;
    std::vector<uint8_t> exif(size);
    if (heif.image_handle_get_metadata(handle, id, exif.data()).code != heif_error_Ok)
        return 1;
    const size_t offset = size_t{exif[0]} << 24 | size_t{exif[1]} << 16 | size_t{exif[2]} << 8 | exif[3];
    return offset <= size - 4 ? TiffExifOrientation(std::span(exif).subspan(4 + offset)) : 1;
}

// A grey picture of limited range as libheif gives it: its luma copied to
// the three channels as stored, black at 16 and white at 235. Stretched to
// the whole range, as a colour picture's conversion does.
void ExpandLimitedRange(DibPicture& pic)
{
    std::array<uint8_t, 256> full{};
    for (int v = 0; v < 256; ++v)
        full[static_cast<size_t>(v)] = static_cast<uint8_t>(
            std::lround(std::clamp((v - 16) * 255.0 / 219, 0.0, 255.0)));
    for (uint8_t& b : pic.Bits)
        b = full[b];
}

bool Fits(int w, int h, size_t bytes)
{
    return image_limits::Acceptable(w, h) &&
           image_limits::StoredBytesCanHold(w, h, bytes, image_limits::kMaxPixelsPerByteSkippingBlocks);
}

// The handle of the file's top-level picture `index`.
bool HeifTopLevelHandle(const HeifLibrary& heif, heif_context* ctx, int index, heif_image_handle*& handle)
{
    const int count = heif.context_get_number_of_top_level_images(ctx);
    if (index >= count)
        return false;
    std::vector<heif_item_id> ids(static_cast<size_t>(count));
    if (heif.context_get_list_of_top_level_image_IDs(ctx, ids.data(), count) != count)
        return false;
    return heif.context_get_image_handle(ctx, ids[static_cast<size_t>(index)], &handle).code == heif_error_Ok;
}

}  // namespace

ImageRead DecodeHeif(std::span<const uint8_t> bytes, const ScaleHint& hint)
{
    return DecodeHeifPicture(bytes, -1, hint);
}

ImageRead DecodeHeifPicture(std::span<const uint8_t> bytes, int topLevelIndex, const ScaleHint& hint)
{
    const HeifLibrary* heif = HeifLibrary::Get();
    if (!heif)
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: libheif is not installed");
    UseThreadedHevcDecoder(*heif);
    auto ctx = Hold(heif->context_alloc(), heif->context_free);
    if (!ctx || bytes.empty())
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: not a HEIF file");
    // A read that may be stopped decodes a grid's tiles on this thread, one
    // after the other, so it stops between two of them (each tile's own
    // decoding still runs on several threads).
    if (ReadCancelFlag() && heif->context_set_max_decoding_threads)
        heif->context_set_max_decoding_threads(ctx.get(), 0);
    if (heif->context_read_from_memory_without_copy(ctx.get(), bytes.data(), bytes.size(), nullptr).code !=
        heif_error_Ok)
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: not a HEIF file");
    // A grid is decoded tile by tile at each tile's size, whatever the sizes
    // the file states for the whole: the tiles are counted first.
    if (!HeifGridWithinLimits(bytes))
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: grid of tiles too large");
    heif_image_handle* raw = nullptr;
    if (topLevelIndex >= 0) {
        if (!heif->HasTopLevelPictures() || !HeifTopLevelHandle(*heif, ctx.get(), topLevelIndex, raw))
            return ImageRead::Failed(ReadFailure::NotValid, "HEIF: no such picture in the file");
    } else if (heif->context_get_primary_image_handle(ctx.get(), &raw).code != heif_error_Ok)
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
    // The container's own rotation and mirror are applied by libheif; a
    // picture without them follows its Exif orientation, if any.
    const int orientation = HeifPrimaryTurnsItself(bytes) ? 1 : HeifExifOrientation(*heif, handle.get());
    const int block = dw > 0 && dh > 0 ? BlockFor(dw, dh, orientation >= 5 ? hint.Turned() : hint) : 1;
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
    if (!MakeUpright(pic, orientation))
        return ImageRead::Failed(ReadFailure::NotValid, "HEIF: no memory to turn the picture upright");
    out.FileBitCount = heif->image_handle_get_luma_bits_per_pixel(handle.get()) * 3;
    bool limitedRange = false;
    out.Colour = HeifColourTag(*heif, handle.get(), limitedRange);
    // libheif expands the range of colour pictures but not of grey ones.
    if (limitedRange && HeifPrimaryIsMonochrome(bytes))
        ExpandLimitedRange(pic);
    out.Failure = ReadFailure::None;
    return out;
}

ImageRead DecodeHeifFile(const ImageFile& file, const ScaleHint& hint)
{
    return DecodeWholeFile(file, "HEIF", [&](std::span<const uint8_t> bytes) { return DecodeHeif(bytes, hint); });
}
