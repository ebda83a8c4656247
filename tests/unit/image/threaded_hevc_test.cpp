// SPDX-License-Identifier: GPL-3.0-or-later
// HEIC pictures are decoded on libde265's worker threads in libheif's own
// decoder's place: every pixel as libheif's decoder gives it, for each chroma
// sampling, at an odd size the coded picture is cropped to. A process of its
// own: the references come from libheif's decoder before ours replaces it.
#include "image/formats/heif/heif_decoder.h"
#include "image/formats/heif/heif_library.h"
#include "image/formats/heif/threaded_hevc_decoder.h"
#include "modern_fixtures.h"

#include <gtest/gtest.h>
#include <libheif/heif.h>

#include <string>
#include <vector>

namespace {

// The file decoded by libheif as it stands, top-down RGB; empty on failure.
std::vector<uint8_t> DecodeWithLibheif(const std::vector<uint8_t>& file)
{
    std::vector<uint8_t> out;
    heif_context* ctx = heif_context_alloc();
    heif_image_handle* handle = nullptr;
    heif_image* image = nullptr;
    if (heif_context_read_from_memory_without_copy(ctx, file.data(), file.size(), nullptr).code == heif_error_Ok &&
        heif_context_get_primary_image_handle(ctx, &handle).code == heif_error_Ok &&
        heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr).code ==
            heif_error_Ok) {
        int stride = 0;
        const uint8_t* plane = heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
        const int w = heif_image_get_width(image, heif_channel_interleaved);
        for (int y = 0; y < heif_image_get_height(image, heif_channel_interleaved); ++y)
            out.insert(out.end(), plane + static_cast<ptrdiff_t>(y) * stride,
                       plane + static_cast<ptrdiff_t>(y) * stride + static_cast<ptrdiff_t>(w) * 3);
    }
    heif_image_release(image);
    heif_image_handle_release(handle);
    heif_context_free(ctx);
    return out;
}

}  // namespace

TEST(ThreadedHevc, EveryPixelIsAsLibheifsOwnDecoderGivesIt)
{
    const int w = 203, h = 157;
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<uint8_t>((i * 7 + i / 611 * 13) & 0xff);
    const std::vector<std::string> samplings = {"420", "422", "444"};
    std::vector<std::vector<uint8_t>> files, references;
    for (const std::string& chroma : samplings) {
        files.push_back(fixtures::EncodeHeif(rgb, w, h, false, 1, chroma.c_str()));
        references.push_back(DecodeWithLibheif(files.back()));
        ASSERT_EQ(references.back().size(), rgb.size()) << chroma;
    }

    ASSERT_NE(HeifLibrary::Get(), nullptr);
    ASSERT_TRUE(UseThreadedHevcDecoder(*HeifLibrary::Get()));
    for (size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(samplings[i]);
        const ImageRead read = DecodeHeif(files[i], {});
        ASSERT_TRUE(read.Ok());
        ASSERT_EQ(read.Picture.Width, w);
        ASSERT_EQ(read.Picture.Height, h);
        int differing = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const auto px = read.Picture.PixelAt(x, y);
                const uint8_t* ref = references[i].data() + (static_cast<size_t>(y) * w + x) * 3;
                differing += px.Red != ref[0] || px.Green != ref[1] || px.Blue != ref[2];
            }
        EXPECT_EQ(differing, 0);
        // The stream cut short: refused, as libheif's decoder refuses it.
        const std::vector<uint8_t> cut(files[i].begin(), files[i].end() - static_cast<ptrdiff_t>(files[i].size() / 3));
        EXPECT_FALSE(DecodeHeif(cut, {}).Ok());
    }
}
