// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/webp_decoder.h"

#include "image/image_file.h"
#include "image/image_limits.h"

#include <cstring>
#include <vector>

#include <webp/decode.h>
#include <webp/demux.h>

namespace {

bool Fits(int w, int h, size_t bytes)
{
    return image_limits::Acceptable(w, h) && image_limits::StoredBytesCanHold(w, h, bytes);
}

ImageRead Still(std::span<const uint8_t> bytes, const WebPBitstreamFeatures& features)
{
    ImageRead out;
    DibPicture& pic = out.Picture;
    if (!Fits(features.width, features.height, bytes.size()) || !pic.Allocate(features.width, features.height, 24))
        return ImageRead::Failed(ReadFailure::NotValid, "WebP: picture too large for its file");
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config))
        return ImageRead::Failed(ReadFailure::NotValid, "WebP: library mismatch");
    // Written bottom row first, as the bitmap stores it.
    config.options.flip = 1;
    config.output.colorspace = MODE_BGR;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = pic.Bits.data();
    config.output.u.RGBA.stride = static_cast<int>(pic.Stride());
    config.output.u.RGBA.size = pic.Bits.size();
    if (WebPDecode(bytes.data(), bytes.size(), &config) != VP8_STATUS_OK)
        return ImageRead::Failed(ReadFailure::NotValid, "WebP: not decodable");
    out.FileBitCount = features.has_alpha ? 32 : 24;
    out.Failure = ReadFailure::None;
    return out;
}

ImageRead FirstFrame(std::span<const uint8_t> bytes)
{
    const WebPData data{bytes.data(), bytes.size()};
    // The canvas size is checked on the parsed container before the
    // animation decoder allocates its canvas.
    WebPDemuxer* demux = WebPDemux(&data);
    const int w = demux ? static_cast<int>(WebPDemuxGetI(demux, WEBP_FF_CANVAS_WIDTH)) : 0;
    const int h = demux ? static_cast<int>(WebPDemuxGetI(demux, WEBP_FF_CANVAS_HEIGHT)) : 0;
    WebPDemuxDelete(demux);
    if (!Fits(w, h, bytes.size()))
        return ImageRead::Failed(ReadFailure::NotValid, "WebP: animation too large for its file");
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        return ImageRead::Failed(ReadFailure::NotValid, "WebP: library mismatch");
    options.color_mode = MODE_BGRA;
    options.use_threads = 0;
    WebPAnimDecoder* dec = WebPAnimDecoderNew(&data, &options);
    WebPAnimInfo info{};
    uint8_t* frame = nullptr;
    int timestamp = 0;
    ImageRead out;
    DibPicture& pic = out.Picture;
    const bool ok = dec && WebPAnimDecoderGetInfo(dec, &info) && static_cast<int>(info.canvas_width) == w &&
                    static_cast<int>(info.canvas_height) == h && WebPAnimDecoderGetNext(dec, &frame, &timestamp) &&
                    pic.Allocate(w, h, 24);
    if (ok) {
        for (int y = 0; y < h; ++y) {
            const uint8_t* s = frame + static_cast<size_t>(y) * w * 4;
            uint8_t* d = pic.TopRow(y);
            for (int x = 0; x < w; ++x, s += 4, d += 3)
                std::memcpy(d, s, 3);
        }
    }
    WebPAnimDecoderDelete(dec);
    if (!ok)
        return ImageRead::Failed(ReadFailure::NotValid, "WebP: animation not decodable");
    out.FileBitCount = 32;
    out.Failure = ReadFailure::None;
    return out;
}

}  // namespace

ImageRead DecodeWebp(std::span<const uint8_t> bytes)
{
    WebPBitstreamFeatures features;
    if (bytes.empty() || WebPGetFeatures(bytes.data(), bytes.size(), &features) != VP8_STATUS_OK)
        return ImageRead::Failed(ReadFailure::NotValid, "WebP: not a WebP file");
    return features.has_animation ? FirstFrame(bytes) : Still(bytes, features);
}

ImageRead DecodeWebpFile(const std::string& path)
{
    std::vector<uint8_t> bytes;
    switch (ReadImageFile(path, bytes)) {
    case FileReadStatus::Ok: return DecodeWebp(bytes);
    case FileReadStatus::Missing: return ImageRead::Failed(ReadFailure::Missing, "WebP: no such file");
    default: return ImageRead::Failed(ReadFailure::Unreadable, "WebP: cannot read the file");
    }
}
