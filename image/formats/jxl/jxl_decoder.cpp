// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/jxl/jxl_decoder.h"

#include "image/colour/colour_management.h"
#include "image/formats/jxl/jxl_library.h"
#include "image/image_file.h"
#include "image/image_limits.h"

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <vector>

namespace {

struct DecoderFree {
    const JxlLibrary* jxl;
    void operator()(JxlDecoder* d) const { jxl->DecoderDestroy(d); }
};
struct RunnerFree {
    const JxlLibrary* jxl;
    void operator()(void* r) const { jxl->ThreadParallelRunnerDestroy(r); }
};

// Rows arrive from the decoder's threads, each a run of red, green, blue.
void PutPixels(void* opaque, size_t x, size_t y, size_t count, const void* pixels)
{
    auto& pic = *static_cast<DibPicture*>(opaque);
    if (y >= static_cast<size_t>(pic.Height) || x >= static_cast<size_t>(pic.Width))
        return;
    count = std::min(count, static_cast<size_t>(pic.Width) - x);
    const auto* s = static_cast<const uint8_t*>(pixels);
    uint8_t* d = pic.TopRow(static_cast<int>(y)) + x * 3;
    for (size_t i = 0; i < count; ++i, s += 3, d += 3) {
        d[0] = s[2];
        d[1] = s[1];
        d[2] = s[0];
    }
}

bool IsSrgb(const JxlColorEncoding& c)
{
    return (c.color_space == JXL_COLOR_SPACE_GRAY ||
            (c.color_space == JXL_COLOR_SPACE_RGB && c.primaries == JXL_PRIMARIES_SRGB)) &&
           c.white_point == JXL_WHITE_POINT_D65 && c.transfer_function == JXL_TRANSFER_FUNCTION_SRGB;
}

// The colours the pixels will come in. A lossy picture (in libjxl's own
// colour space) is asked for in sRGB and libjxl converts it; any other is
// delivered in its own colours, told by their ICC profile.
ColourTag JxlColourTag(const JxlLibrary& jxl, JxlDecoder* dec)
{
    JxlColorEncoding srgb{};
    srgb.color_space = JXL_COLOR_SPACE_RGB;
    srgb.white_point = JXL_WHITE_POINT_D65;
    srgb.primaries = JXL_PRIMARIES_SRGB;
    srgb.transfer_function = JXL_TRANSFER_FUNCTION_SRGB;
    srgb.rendering_intent = JXL_RENDERING_INTENT_PERCEPTUAL;
    jxl.DecoderSetPreferredColorProfile(dec, &srgb);  // refused, harmlessly, by a picture in its own colours
    JxlColorEncoding data{};
    if (jxl.DecoderGetColorAsEncodedProfile(dec, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, &data) == JXL_DEC_SUCCESS &&
        IsSrgb(data))
        return {};
    ColourTag tag;
    constexpr size_t kMostProfileBytes = size_t{4} << 20;
    size_t size = 0;
    if (jxl.DecoderGetICCProfileSize(dec, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, &size) == JXL_DEC_SUCCESS &&
        size > 0 && size <= kMostProfileBytes) {
        tag.Icc.resize(size);
        if (jxl.DecoderGetColorAsICCProfile(dec, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, tag.Icc.data(), size) !=
            JXL_DEC_SUCCESS)
            tag.Icc.clear();
    }
    return tag;
}

// The index of the extra channel holding a CMYK picture's black, if any.
std::optional<uint32_t> BlackChannel(const JxlLibrary& jxl, const JxlDecoder* dec, const JxlBasicInfo& info)
{
    if (!jxl.KnowsExtraChannels())
        return std::nullopt;
    for (uint32_t i = 0; i < info.num_extra_channels; ++i) {
        JxlExtraChannelInfo extra;
        if (jxl.DecoderGetExtraChannelInfo(dec, i, &extra) == JXL_DEC_SUCCESS && extra.type == JXL_CHANNEL_BLACK)
            return i;
    }
    return std::nullopt;
}

// A CMYK picture arrives as cyan, magenta and yellow in the picture's three
// bytes (yellow first, as blue) with its black beside it, all with 0 as full
// ink; it is converted through the file's profile to sRGB in place.
void ConvertCmyk(DibPicture& pic, const std::vector<uint8_t>& black, std::span<const uint8_t> icc)
{
    const CmykRowConversion convert = CmykConversionFor(icc);
    std::vector<uint8_t> cmyk(static_cast<size_t>(pic.Width) * 4);
    for (int y = 0; y < pic.Height; ++y) {
        uint8_t* row = pic.TopRow(y);
        const uint8_t* k = black.data() + static_cast<size_t>(y) * pic.Width;
        for (int x = 0; x < pic.Width; ++x) {
            uint8_t* c = &cmyk[static_cast<size_t>(x) * 4];
            c[0] = row[x * 3 + 2];
            c[1] = row[x * 3 + 1];
            c[2] = row[x * 3];
            c[3] = k[x];
        }
        convert(cmyk.data(), row, pic.Width);
    }
}

}  // namespace

ImageRead DecodeJxl(std::span<const uint8_t> bytes)
{
    const JxlLibrary* jxl = JxlLibrary::Get();
    if (!jxl)
        return ImageRead::Failed(ReadFailure::NotValid, "JPEG XL: libjxl is not installed");
    std::unique_ptr<JxlDecoder, DecoderFree> dec(jxl->DecoderCreate(nullptr), DecoderFree{jxl});
    std::unique_ptr<void, RunnerFree> runner(
        jxl->ThreadParallelRunnerCreate
            ? jxl->ThreadParallelRunnerCreate(nullptr,
                                              std::min<size_t>(2, jxl->ThreadParallelRunnerDefaultNumWorkerThreads()))
            : nullptr,
        RunnerFree{jxl});
    if (!dec || bytes.empty() ||
        jxl->DecoderSubscribeEvents(dec.get(), JXL_DEC_BASIC_INFO | JXL_DEC_FULL_IMAGE |
                                                   (jxl->KnowsColours() ? JXL_DEC_COLOR_ENCODING : 0)) !=
            JXL_DEC_SUCCESS ||
        (runner &&
         jxl->DecoderSetParallelRunner(dec.get(), jxl->ThreadParallelRunner, runner.get()) != JXL_DEC_SUCCESS) ||
        jxl->DecoderSetInput(dec.get(), bytes.data(), bytes.size()) != JXL_DEC_SUCCESS)
        return ImageRead::Failed(ReadFailure::NotValid, "JPEG XL: not a JPEG XL file");
    jxl->DecoderCloseInput(dec.get());
    const JxlPixelFormat format{3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    const JxlPixelFormat oneChannel{1, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    ImageRead out;
    DibPicture& pic = out.Picture;
    std::optional<uint32_t> blackIndex;  // a CMYK picture's black, decoded into `black`
    std::vector<uint8_t> black;
    for (;;) {
        switch (jxl->DecoderProcessInput(dec.get())) {
        case JXL_DEC_BASIC_INFO: {
            JxlBasicInfo info;
            if (jxl->DecoderGetBasicInfo(dec.get(), &info) != JXL_DEC_SUCCESS)
                return ImageRead::Failed(ReadFailure::NotValid, "JPEG XL: no header");
            // Checked before the picture is allocated; a quarter turn
            // (orientations 5 to 8) swaps the shown width and height.
            const int64_t w = info.xsize, h = info.ysize;
            if (!image_limits::Acceptable(w, h) ||
                !image_limits::StoredBytesCanHold(w, h, bytes.size(), image_limits::kMaxPixelsPerByteRepeating))
                return ImageRead::Failed(ReadFailure::NotValid, "JPEG XL: picture too large for its file");
            const bool turned = info.orientation >= JXL_ORIENT_TRANSPOSE;
            if (!pic.Allocate(static_cast<int>(turned ? h : w), static_cast<int>(turned ? w : h), 24))
                return ImageRead::Failed(ReadFailure::NotValid, "JPEG XL: picture too large");
            blackIndex = BlackChannel(*jxl, dec.get(), info);
            out.FileBitCount = static_cast<int>(info.bits_per_sample) *
                               static_cast<int>(info.num_color_channels + (info.alpha_bits ? 1 : 0) +
                                                (blackIndex ? 1 : 0));
            break;
        }
        case JXL_DEC_COLOR_ENCODING: out.Colour = JxlColourTag(*jxl, dec.get()); break;
        case JXL_DEC_NEED_IMAGE_OUT_BUFFER:
            if (pic.Empty() || jxl->DecoderSetImageOutCallback(dec.get(), &format, PutPixels, &pic) != JXL_DEC_SUCCESS)
                return ImageRead::Failed(ReadFailure::NotValid, "JPEG XL: no picture to decode into");
            if (blackIndex) {
                size_t size = 0;
                if (jxl->DecoderExtraChannelBufferSize(dec.get(), &oneChannel, &size, *blackIndex) != JXL_DEC_SUCCESS ||
                    size != static_cast<size_t>(pic.Width) * static_cast<size_t>(pic.Height))
                    return ImageRead::Failed(ReadFailure::NotValid, "JPEG XL: no black to decode into");
                try {
                    black.resize(size);
                } catch (const std::bad_alloc&) {
                    return ImageRead::Failed(ReadFailure::NotValid, "JPEG XL: picture too large");
                }
                if (jxl->DecoderSetExtraChannelBuffer(dec.get(), &oneChannel, black.data(), size, *blackIndex) !=
                    JXL_DEC_SUCCESS)
                    return ImageRead::Failed(ReadFailure::NotValid, "JPEG XL: no black to decode into");
            }
            break;
        case JXL_DEC_FULL_IMAGE:  // the first frame is the picture
            if (blackIndex) {
                ConvertCmyk(pic, black, out.Colour.Icc);
                out.Colour = {};  // sRGB now
            }
            out.Failure = ReadFailure::None;
            return out;
        default:  // an error, or a file cut short
            return ImageRead::Failed(ReadFailure::NotValid, "JPEG XL: not decodable");
        }
    }
}

ImageRead DecodeJxlFile(const ImageFile& file)
{
    return DecodeWholeFile(file, "JPEG XL", DecodeJxl);
}
