// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/webp/webp_decoder.h"

#include "image/image_file.h"
#include "image/image_limits.h"
#include "image/orientation.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// Lossless WebP repeats a colour for any length, so a flat picture of the
// largest size takes a few dozen bytes: only the decoded size is held to the
// limit, never the file's.
bool Fits(int w, int h)
{
    return image_limits::Acceptable(w, h);
}

// What the container's chunks say of the picture: how it is turned (EXIF;
// 1 when there is none) and its colours (ICCP).
struct Chunks {
    int Orientation = 1;
    std::vector<uint8_t> Icc;
};

Chunks ReadChunks(std::span<const uint8_t> bytes)
{
    const WebPData data{bytes.data(), bytes.size()};
    WebPDemuxer* demux = WebPDemux(&data);
    Chunks found;
    WebPChunkIterator chunk;
    if (demux && WebPDemuxGetChunk(demux, "EXIF", 1, &chunk)) {
        found.Orientation = TiffExifOrientation({chunk.chunk.bytes, chunk.chunk.size});
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    if (demux && WebPDemuxGetChunk(demux, "ICCP", 1, &chunk)) {
        found.Icc.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    WebPDemuxDelete(demux);
    return found;
}

ImageRead Still(std::span<const uint8_t> bytes, const WebPBitstreamFeatures& features, const ScaleHint& hint)
{
    ImageRead out;
    DibPicture& pic = out.Picture;
    const int w = features.width, h = features.height;
    if (!Fits(w, h))
        return ImageRead::Failed(ReadFailure::NotValid, "WebP: picture too large");
    // libwebp scales while it decodes, to the smallest size that meets the hint.
    int sw = w, sh = h;
    if (hint.Wanted()) {
        const double fx = static_cast<double>(hint.Width) / w, fy = static_cast<double>(hint.Height) / h;
        const double f = hint.Cover ? std::max(fx, fy) : std::min(fx, fy);
        if (f < 1) {
            sw = std::clamp(static_cast<int>(std::ceil(w * f)), 1, w);
            sh = std::clamp(static_cast<int>(std::ceil(h * f)), 1, h);
        }
    }
    // libwebp writes every pixel; only the rows' padding is cleared here.
    if (!pic.Allocate(sw, sh, 24, false))
        return ImageRead::Failed(ReadFailure::NotValid, "WebP: picture too large");
    pic.ClearPadding();
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config))
        return ImageRead::Failed(ReadFailure::NotValid, "WebP: library mismatch");
    // Written bottom row first, as the bitmap stores it.
    config.options.flip = 1;
    // A lossy picture is filtered on a second thread while the next rows decode.
    config.options.use_threads = 1;
    if (sw != w || sh != h) {
        config.options.use_scaling = 1;
        config.options.scaled_width = sw;
        config.options.scaled_height = sh;
    }
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
    if (!Fits(w, h))
        return ImageRead::Failed(ReadFailure::NotValid, "WebP: animation too large");
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

ImageRead DecodeWebp(std::span<const uint8_t> bytes, const ScaleHint& hint)
{
    WebPBitstreamFeatures features;
    if (bytes.empty() || WebPGetFeatures(bytes.data(), bytes.size(), &features) != VP8_STATUS_OK)
        return ImageRead::Failed(ReadFailure::NotValid, "WebP: not a WebP file");
    // A picture shown turned a quarter is decoded for the hint turned too.
    Chunks chunks = ReadChunks(bytes);
    const int orientation = chunks.Orientation;
    ImageRead read = features.has_animation ? FirstFrame(bytes)
                                            : Still(bytes, features, orientation >= 5 ? hint.Turned() : hint);
    if (read.Ok() && !MakeUpright(read.Picture, orientation))
        return ImageRead::Failed(ReadFailure::NotValid, "WebP: no memory to turn the picture upright");
    read.Colour.Icc = std::move(chunks.Icc);
    return read;
}

ImageRead DecodeWebpFile(const ImageFile& file, const ScaleHint& hint)
{
    return DecodeWholeFile(file, "WebP", [&](std::span<const uint8_t> bytes) { return DecodeWebp(bytes, hint); });
}
