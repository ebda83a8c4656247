// SPDX-License-Identifier: GPL-3.0-or-later
#include "modern_fixtures.h"

#include <jxl/encode.h>
#include <libheif/heif.h>
#include <png.h>
#include <webp/encode.h>
#include <webp/mux.h>
#include <zlib.h>

#include <cstring>

namespace fixtures {

std::vector<uint8_t> EncodePng(const std::vector<uint8_t>& rgb, int width, int height, bool alpha)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr))
        return {};
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr))
        return {};
    out.resize(size);
    return out;
}

std::vector<uint8_t> EncodeWebp(const std::vector<uint8_t>& rgb, int width, int height, bool lossless)
{
    uint8_t* data = nullptr;
    const size_t size = lossless ? WebPEncodeLosslessRGB(rgb.data(), width, height, width * 3, &data)
                                 : WebPEncodeRGB(rgb.data(), width, height, width * 3, 90, &data);
    std::vector<uint8_t> out(data, data + size);
    WebPFree(data);
    return out;
}

std::vector<uint8_t> EncodeAnimatedWebp(const std::vector<uint8_t>& rgb, int width, int height)
{
    WebPAnimEncoderOptions options;
    WebPConfig config;
    if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&config))
        return {};
    config.lossless = 1;
    WebPAnimEncoder* enc = WebPAnimEncoderNew(width, height, &options);
    std::vector<uint8_t> inverted(rgb);
    const std::vector<uint8_t>* frames[] = {&rgb, &inverted};
    for (uint8_t& c : inverted)
        c = static_cast<uint8_t>(255 - c);
    bool ok = enc != nullptr;
    int timestamp = 0;
    for (const auto* frame : frames) {
        WebPPicture pic;
        ok = ok && WebPPictureInit(&pic);
        pic.use_argb = 1;
        pic.width = width;
        pic.height = height;
        ok = ok && WebPPictureImportRGB(&pic, frame->data(), width * 3) &&
             WebPAnimEncoderAdd(enc, &pic, timestamp, &config);
        WebPPictureFree(&pic);
        timestamp += 100;
    }
    WebPData data;
    WebPDataInit(&data);
    ok = ok && WebPAnimEncoderAdd(enc, nullptr, timestamp, nullptr) && WebPAnimEncoderAssemble(enc, &data);
    std::vector<uint8_t> out;
    if (ok)
        out.assign(data.bytes, data.bytes + data.size);
    WebPDataClear(&data);
    WebPAnimEncoderDelete(enc);
    return out;
}

namespace {

heif_error Append(heif_context*, const void* data, size_t size, void* userdata)
{
    auto* out = static_cast<std::vector<uint8_t>*>(userdata);
    out->insert(out->end(), static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
}

}  // namespace

std::vector<uint8_t> EncodeHeif(const std::vector<uint8_t>& rgb, int width, int height, bool av1, int orientation,
                                const char* chroma, const std::vector<uint8_t>& exif, int primaries,
                                const std::vector<uint8_t>& icc)
{
    std::vector<uint8_t> out;
    heif_context* ctx = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_image* image = nullptr;
    heif_encoding_options* options = heif_encoding_options_alloc();
    bool ok =
        heif_context_get_encoder_for_format(ctx, av1 ? heif_compression_AV1 : heif_compression_HEVC, &encoder).code ==
            heif_error_Ok &&
        heif_image_create(width, height, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image).code ==
            heif_error_Ok &&
        heif_image_add_plane(image, heif_channel_interleaved, width, height, 8).code == heif_error_Ok;
    if (ok) {
        heif_encoder_set_lossy_quality(encoder, 95);
        if (av1)
            heif_encoder_set_parameter_integer(encoder, "speed", 8);
        if (chroma)
            ok = heif_encoder_set_parameter_string(encoder, "chroma", chroma).code == heif_error_Ok;
        int stride = 0;
        uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
        for (int y = 0; y < height; ++y)
            std::memcpy(plane + static_cast<size_t>(y) * stride, rgb.data() + static_cast<size_t>(y) * width * 3,
                        static_cast<size_t>(width) * 3);
        options->image_orientation = static_cast<heif_orientation>(orientation);
        heif_color_profile_nclx* nclx = primaries ? heif_nclx_color_profile_alloc() : nullptr;
        if (nclx) {
            heif_nclx_color_profile_set_color_primaries(nclx, static_cast<uint16_t>(primaries));
            heif_nclx_color_profile_set_transfer_characteristics(nclx, heif_transfer_characteristic_IEC_61966_2_1);
            heif_nclx_color_profile_set_matrix_coefficients(nclx, heif_matrix_coefficients_ITU_R_BT_601_6);
            nclx->full_range_flag = 1;
            heif_image_set_nclx_color_profile(image, nclx);
            options->output_nclx_profile = nclx;
            options->macOS_compatibility_workaround_no_nclx_profile = 0;  // else no colr box is written
        }
        if (!icc.empty())
            heif_image_set_raw_color_profile(image, "prof", icc.data(), icc.size());
        heif_writer writer{1, Append};
        heif_image_handle* handle = nullptr;
        ok = heif_context_encode_image(ctx, image, encoder, options, &handle).code == heif_error_Ok &&
             (exif.empty() ||
              heif_context_add_exif_metadata(ctx, handle, exif.data(), static_cast<int>(exif.size())).code ==
                  heif_error_Ok) &&
             heif_context_write(ctx, &writer, &out).code == heif_error_Ok;
        if (handle)
            heif_image_handle_release(handle);
        options->output_nclx_profile = nullptr;
        heif_nclx_color_profile_free(nclx);
    }
    heif_encoding_options_free(options);
    heif_image_release(image);
    if (encoder)
        heif_encoder_release(encoder);
    heif_context_free(ctx);
    return ok ? out : std::vector<uint8_t>{};
}

namespace {

// The encoder's whole output, or no bytes when `ok` is false or it failed.
std::vector<uint8_t> JxlOutput(JxlEncoder* enc, bool ok)
{
    JxlEncoderCloseInput(enc);
    std::vector<uint8_t> out(4096);
    size_t used = 0;
    while (ok) {
        uint8_t* next = out.data() + used;
        size_t avail = out.size() - used;
        const JxlEncoderStatus status = JxlEncoderProcessOutput(enc, &next, &avail);
        used = static_cast<size_t>(next - out.data());
        if (status == JXL_ENC_SUCCESS)
            break;
        ok = status == JXL_ENC_NEED_MORE_OUTPUT;
        out.resize(out.size() * 2);
    }
    JxlEncoderDestroy(enc);
    out.resize(ok ? used : 0);
    return out;
}

}  // namespace

std::vector<uint8_t> EncodeJxl(const std::vector<uint8_t>& rgb, int width, int height, bool lossless, int orientation)
{
    JxlEncoder* enc = JxlEncoderCreate(nullptr);
    JxlBasicInfo info;
    JxlEncoderInitBasicInfo(&info);
    info.xsize = static_cast<uint32_t>(width);
    info.ysize = static_cast<uint32_t>(height);
    info.bits_per_sample = 8;
    info.num_color_channels = 3;
    info.uses_original_profile = lossless ? JXL_TRUE : JXL_FALSE;
    info.orientation = static_cast<JxlOrientation>(orientation);
    JxlColorEncoding colour;
    JxlColorEncodingSetToSRGB(&colour, JXL_FALSE);
    const JxlPixelFormat format{3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    JxlEncoderFrameSettings* settings = nullptr;
    const bool ok = JxlEncoderSetBasicInfo(enc, &info) == JXL_ENC_SUCCESS &&
                    JxlEncoderSetColorEncoding(enc, &colour) == JXL_ENC_SUCCESS &&
                    (settings = JxlEncoderFrameSettingsCreate(enc, nullptr)) != nullptr &&
                    (!lossless || JxlEncoderSetFrameLossless(settings, JXL_TRUE) == JXL_ENC_SUCCESS) &&
                    JxlEncoderAddImageFrame(settings, &format, rgb.data(), rgb.size()) == JXL_ENC_SUCCESS;
    return JxlOutput(enc, ok);
}

std::vector<uint8_t> EncodeCmykJxl(const std::vector<uint8_t>& cmy, const std::vector<uint8_t>& black, int width,
                                   int height, const std::vector<uint8_t>& icc)
{
    JxlEncoder* enc = JxlEncoderCreate(nullptr);
    JxlBasicInfo info;
    JxlEncoderInitBasicInfo(&info);
    info.xsize = static_cast<uint32_t>(width);
    info.ysize = static_cast<uint32_t>(height);
    info.bits_per_sample = 8;
    info.num_color_channels = 3;
    info.num_extra_channels = 1;
    info.uses_original_profile = JXL_TRUE;
    JxlExtraChannelInfo k;
    JxlEncoderInitExtraChannelInfo(JXL_CHANNEL_BLACK, &k);
    k.bits_per_sample = 8;
    const JxlPixelFormat format{3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    const JxlPixelFormat one{1, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    JxlEncoderFrameSettings* settings = nullptr;
    const bool ok = JxlEncoderSetCodestreamLevel(enc, 10) == JXL_ENC_SUCCESS &&
                    JxlEncoderSetBasicInfo(enc, &info) == JXL_ENC_SUCCESS &&
                    JxlEncoderSetExtraChannelInfo(enc, 0, &k) == JXL_ENC_SUCCESS &&
                    JxlEncoderSetICCProfile(enc, icc.data(), icc.size()) == JXL_ENC_SUCCESS &&
                    (settings = JxlEncoderFrameSettingsCreate(enc, nullptr)) != nullptr &&
                    JxlEncoderSetFrameLossless(settings, JXL_TRUE) == JXL_ENC_SUCCESS &&
                    JxlEncoderAddImageFrame(settings, &format, cmy.data(), cmy.size()) == JXL_ENC_SUCCESS &&
                    JxlEncoderSetExtraChannelBuffer(settings, &one, black.data(), black.size(), 0) == JXL_ENC_SUCCESS;
    return JxlOutput(enc, ok);
}

std::vector<uint8_t> PngWithChunk(std::vector<uint8_t> png, const char* type, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> chunk;
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk.push_back(static_cast<uint8_t>(data.size() >> shift));
    chunk.insert(chunk.end(), type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    const uLong crc = crc32(0, chunk.data() + 4, static_cast<uInt>(chunk.size() - 4));
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk.push_back(static_cast<uint8_t>(crc >> shift));
    png.insert(png.begin() + 33, chunk.begin(), chunk.end());  // the signature and IHDR come first
    return png;
}

std::vector<uint8_t> WebpWithChunk(const std::vector<uint8_t>& webp, const char* type, const std::vector<uint8_t>& data)
{
    const WebPData image{webp.data(), webp.size()}, chunk{data.data(), data.size()};
    WebPMux* mux = WebPMuxCreate(&image, 1);
    WebPData assembled;
    WebPDataInit(&assembled);
    std::vector<uint8_t> out;
    if (mux && WebPMuxSetChunk(mux, type, &chunk, 1) == WEBP_MUX_OK && WebPMuxAssemble(mux, &assembled) == WEBP_MUX_OK)
        out.assign(assembled.bytes, assembled.bytes + assembled.size);
    WebPDataClear(&assembled);
    WebPMuxDelete(mux);
    return out;
}

}  // namespace fixtures
