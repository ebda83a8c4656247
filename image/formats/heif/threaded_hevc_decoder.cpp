// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/heif/threaded_hevc_decoder.h"

#include "image/formats/heif/de265_library.h"
#include "image/formats/heif/heif_library.h"
#include "image/read_cancel.h"

#include <libheif/heif_plugin.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <thread>

namespace {

// Set once, before the plugin is registered, and never changed after.
const HeifLibrary* g_heif = nullptr;
const De265Library* g_de265 = nullptr;

heif_error Ok()
{
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, "Success"};
}

heif_error Failed(heif_suberror_code sub, const char* message)
{
    return heif_error{heif_error_Decoder_plugin_error, sub, message};
}

int WorkerThreads()
{
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

struct Decoder {
    de265_decoder_context* context = nullptr;
};

const char* PluginName()
{
    return "libde265 on worker threads";
}

void NoWork()
{}

int Supports(heif_compression_format format)
{
    // Above libheif's own libde265 plugin (100), so this one is chosen.
    return format == heif_compression_HEVC ? 200 : 0;
}

heif_error NewDecoder(void** out)
{
    auto decoder = std::make_unique<Decoder>();
    decoder->context = g_de265->new_decoder();
    if (!decoder->context)
        return Failed(heif_suberror_Unspecified, "libde265 has no decoder");
    g_de265->set_parameter_bool(decoder->context, DE265_DECODER_PARAM_SUPPRESS_FAULTY_PICTURES, 0);
    g_de265->start_worker_threads(decoder->context, WorkerThreads());
    *out = decoder.release();
    return Ok();
}

void FreeDecoder(void* p)
{
    auto* decoder = static_cast<Decoder*>(p);
    if (decoder->context)
        g_de265->free_decoder(decoder->context);
    delete decoder;
}

// libheif hands over the stream as NAL units, each after its size in four
// bytes, most significant first.
heif_error PushData(void* p, const void* data, size_t size)
{
    auto* decoder = static_cast<Decoder*>(p);
    const auto* bytes = static_cast<const uint8_t*>(data);
    size_t at = 0;
    while (at < size) {
        if (size - at < 4)
            return Failed(heif_suberror_End_of_data, "HEVC data ends inside a NAL size");
        const size_t nal = (size_t{bytes[at]} << 24) | (size_t{bytes[at + 1]} << 16) | (size_t{bytes[at + 2]} << 8) |
                           size_t{bytes[at + 3]};
        at += 4;
        if (nal > size - at)
            return Failed(heif_suberror_End_of_data, "HEVC NAL unit longer than its data");
        if (g_de265->push_NAL(decoder->context, bytes + at, static_cast<int>(nal), 0, nullptr) != DE265_OK)
            return Failed(heif_suberror_Unspecified, "libde265 refused a NAL unit");
        at += nal;
    }
    return Ok();
}

struct ImageRelease {
    void operator()(heif_image* image) const { g_heif->image_release(image); }
};
using HeldImage = std::unique_ptr<heif_image, ImageRelease>;

// The decoded picture as libheif's own HEVC plugin gives it: its planes as
// they are, with the colour description the stream carries.
HeldImage ToHeifImage(const de265_image* picture)
{
    heif_chroma chroma = heif_chroma_monochrome;
    switch (g_de265->get_chroma_format(picture)) {
    case de265_chroma_mono: chroma = heif_chroma_monochrome; break;
    case de265_chroma_420: chroma = heif_chroma_420; break;
    case de265_chroma_422: chroma = heif_chroma_422; break;
    case de265_chroma_444: chroma = heif_chroma_444; break;
    default: return nullptr;
    }
    const heif_colorspace space = chroma == heif_chroma_monochrome ? heif_colorspace_monochrome : heif_colorspace_YCbCr;
    heif_image* raw = nullptr;
    if (g_heif
            ->image_create(g_de265->get_image_width(picture, 0), g_de265->get_image_height(picture, 0), space, chroma,
                           &raw)
            .code != heif_error_Ok)
        return nullptr;
    HeldImage image(raw);
    const heif_channel channels[] = {heif_channel_Y, heif_channel_Cb, heif_channel_Cr};
    const int planes = chroma == heif_chroma_monochrome ? 1 : 3;
    for (int c = 0; c < planes; ++c) {
        const int w = g_de265->get_image_width(picture, c);
        const int h = g_de265->get_image_height(picture, c);
        const int bits = g_de265->get_bits_per_pixel(picture, c);
        if (w <= 0 || h <= 0 || bits <= 0 || bits > 16 ||
            g_heif->image_add_plane(image.get(), channels[c], w, h, bits).code != heif_error_Ok)
            return nullptr;
        int to = 0, from = 0;
        uint8_t* d = g_heif->image_get_plane(image.get(), channels[c], &to);
        const uint8_t* s = g_de265->get_image_plane(picture, c, &from);
        const size_t row = static_cast<size_t>(w) * ((bits + 7) / 8);
        if (!d || !s || static_cast<size_t>(to) < row || static_cast<size_t>(from) < row)
            return nullptr;
        for (int y = 0; y < h; ++y)
            std::memcpy(d + static_cast<size_t>(y) * to, s + static_cast<size_t>(y) * from, row);
    }
    if (heif_color_profile_nclx* nclx = g_heif->nclx_color_profile_alloc()) {
        // A value the library does not know is left unspecified, as its own
        // plugin leaves it.
        g_heif->nclx_color_profile_set_color_primaries(
            nclx, static_cast<uint16_t>(g_de265->get_image_colour_primaries(picture)));
        g_heif->nclx_color_profile_set_transfer_characteristics(
            nclx, static_cast<uint16_t>(g_de265->get_image_transfer_characteristics(picture)));
        g_heif->nclx_color_profile_set_matrix_coefficients(
            nclx, static_cast<uint16_t>(g_de265->get_image_matrix_coefficients(picture)));
        nclx->full_range_flag = g_de265->get_image_full_range_flag(picture) != 0;
        g_heif->image_set_nclx_color_profile(image.get(), nclx);
        g_heif->nclx_color_profile_free(nclx);
    }
    return image;
}

heif_error DecodeImage(void* p, heif_image** out)
{
    auto* decoder = static_cast<Decoder*>(p);
    *out = nullptr;
    // A grid's tiles come one by one: a read that was stopped ends at the
    // next of them.
    if (ReadCancelled())
        return Failed(heif_suberror_Unspecified, "the read was stopped");
    g_de265->flush_data(decoder->context);
    HeldImage last;
    int more = 0;
    do {
        more = 0;
        if (g_de265->decode(decoder->context, &more) != DE265_OK)
            break;
        if (const de265_image* picture = g_de265->get_next_picture(decoder->context)) {
            HeldImage image = ToHeifImage(picture);
            g_de265->release_next_picture(decoder->context);
            if (!image)
                return Failed(heif_suberror_Unsupported_color_conversion, "HEVC picture in a form not supported");
            last = std::move(image);
        }
    } while (more);
    if (!last)
        return Failed(heif_suberror_Unspecified, "no HEVC picture decoded");
    *out = last.release();
    return Ok();
}

void SetStrict(void*, int)
{}

const heif_decoder_plugin kPlugin = {
    3,  // the interface of libheif 1.15: decoder ids
    PluginName,  NoWork,   NoWork,      Supports,  NewDecoder,
    FreeDecoder, PushData, DecodeImage, SetStrict, kThreadedHevcDecoderId,
};

bool Register(const HeifLibrary& heif)
{
    const De265Library* de265 = De265Library::Get();
    if (!de265 || !heif.CanTakeDecoders)
        return false;
    g_heif = &heif;
    g_de265 = de265;
    return heif.register_decoder_plugin(&kPlugin).code == heif_error_Ok;
}

}  // namespace

bool UseThreadedHevcDecoder(const HeifLibrary& heif)
{
    static const bool registered = Register(heif);
    return registered;
}
