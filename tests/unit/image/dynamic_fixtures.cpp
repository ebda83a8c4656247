// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamic_fixtures.h"

#include "image_fixtures.h"

#include <libheif/heif.h>
#include <plist/plist.h>

#include <cstdlib>

namespace fixtures {

namespace {

std::vector<uint8_t> ToBinary(plist_t root)
{
    char* data = nullptr;
    uint32_t size = 0;
    plist_to_bin(root, &data, &size);
    std::vector<uint8_t> out(data, data + size);
    std::free(data);
    plist_free(root);
    return out;
}

void AddPair(plist_t dict, int light, int dark)
{
    plist_dict_set_item(dict, "l", plist_new_uint(static_cast<uint64_t>(light)));
    plist_dict_set_item(dict, "d", plist_new_uint(static_cast<uint64_t>(dark)));
}

void AddAp(plist_t root, int light, int dark)
{
    if (light < 0) {
        return;
    }
    plist_t pair = plist_new_dict();
    AddPair(pair, light, dark);
    plist_dict_set_item(root, "ap", pair);
}

heif_error Append(heif_context*, const void* data, size_t size, void* userdata)
{
    auto* out = static_cast<std::vector<uint8_t>*>(userdata);
    out->insert(out->end(), static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
}

}  // namespace

std::vector<uint8_t> H24Plist(const std::vector<std::pair<int, double>>& entries, int light, int dark)
{
    plist_t root = plist_new_dict();
    plist_t list = plist_new_array();
    for (const auto& [i, t] : entries) {
        plist_t entry = plist_new_dict();
        plist_dict_set_item(entry, "i", plist_new_uint(static_cast<uint64_t>(i)));
        plist_dict_set_item(entry, "t", plist_new_real(t));
        plist_array_append_item(list, entry);
    }
    plist_dict_set_item(root, "ti", list);
    AddAp(root, light, dark);
    return ToBinary(root);
}

std::vector<uint8_t> SolarPlist(const std::vector<SolarEntry>& entries, int light, int dark)
{
    plist_t root = plist_new_dict();
    plist_t list = plist_new_array();
    for (const SolarEntry& e : entries) {
        plist_t entry = plist_new_dict();
        plist_dict_set_item(entry, "i", plist_new_uint(static_cast<uint64_t>(e.i)));
        plist_dict_set_item(entry, "a", plist_new_real(e.a));
        plist_dict_set_item(entry, "z", plist_new_real(e.z));
        plist_dict_set_item(entry, "o", plist_new_uint(e.a > 0 ? 1 : 0));
        plist_array_append_item(list, entry);
    }
    plist_dict_set_item(root, "si", list);
    AddAp(root, light, dark);
    return ToBinary(root);
}

std::vector<uint8_t> AprPlist(int light, int dark)
{
    plist_t root = plist_new_dict();
    AddPair(root, light, dark);
    return ToBinary(root);
}

std::string Base64(const std::vector<uint8_t>& bytes)
{
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t n = 0; n < bytes.size(); n += 3) {
        const uint32_t group = (uint32_t{bytes[n]} << 16) | (n + 1 < bytes.size() ? uint32_t{bytes[n + 1]} << 8 : 0) |
                               (n + 2 < bytes.size() ? uint32_t{bytes[n + 2]} : 0);
        out += kAlphabet[group >> 18];
        out += kAlphabet[(group >> 12) & 63];
        out += n + 1 < bytes.size() ? kAlphabet[(group >> 6) & 63] : '=';
        out += n + 2 < bytes.size() ? kAlphabet[group & 63] : '=';
    }
    return out;
}

std::string ScheduleXmp(const std::string& property, const std::string& value)
{
    return "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
           " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
           "  <rdf:Description rdf:about=\"\" xmlns:apple_desktop=\"http://ns.apple.com/namespace/1.0/\"\n"
           "    apple_desktop:" +
           property + "=\"" + value +
           "\"/>\n"
           " </rdf:RDF>\n"
           "</x:xmpmeta>\n";
}

std::vector<uint8_t> EncodeDynamicHeif(const std::vector<Rgb>& colours, int width, int height, const std::string& xmp)
{
    return EncodeDynamicHeif(colours, width, height, xmp, false);
}

std::vector<uint8_t> EncodeDynamicHeif(const std::vector<Rgb>& colours, int width, int height, const std::string& xmp,
                                       bool photo)
{
    const std::vector<uint8_t> pattern = photo ? PhotoRgb(width, height) : std::vector<uint8_t>{};
    std::vector<uint8_t> out;
    heif_context* ctx = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    bool ok = heif_context_get_encoder_for_format(ctx, heif_compression_HEVC, &encoder).code == heif_error_Ok;
    if (ok) {
        heif_encoder_set_lossy_quality(encoder, 90);
        heif_encoder_set_parameter_string(encoder, "preset", "ultrafast");
    }
    for (size_t n = 0; ok && n < colours.size(); ++n) {
        heif_image* image = nullptr;
        ok = heif_image_create(width, height, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image).code ==
                 heif_error_Ok &&
             heif_image_add_plane(image, heif_channel_interleaved, width, height, 8).code == heif_error_Ok;
        if (ok) {
            int stride = 0;
            uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    uint8_t* p = plane + static_cast<size_t>(y) * stride + x * 3;
                    const uint8_t* q = photo ? &pattern[(static_cast<size_t>(y) * width + x) * 3] : nullptr;
                    p[0] = q ? static_cast<uint8_t>((q[0] + colours[n].r) / 2) : colours[n].r;
                    p[1] = q ? static_cast<uint8_t>((q[1] + colours[n].g) / 2) : colours[n].g;
                    p[2] = q ? static_cast<uint8_t>((q[2] + colours[n].b) / 2) : colours[n].b;
                }
            }
            heif_image_handle* handle = nullptr;
            ok = heif_context_encode_image(ctx, image, encoder, nullptr, &handle).code == heif_error_Ok;
            if (ok && n == 0 && !xmp.empty()) {
                ok = heif_context_add_XMP_metadata(ctx, handle, xmp.data(), static_cast<int>(xmp.size())).code ==
                     heif_error_Ok;
            }
            if (handle) {
                heif_image_handle_release(handle);
            }
        }
        if (image) {
            heif_image_release(image);
        }
    }
    heif_writer writer{1, Append};
    ok = ok && heif_context_write(ctx, &writer, &out).code == heif_error_Ok;
    if (encoder) {
        heif_encoder_release(encoder);
    }
    heif_context_free(ctx);
    return ok ? out : std::vector<uint8_t>{};
}

}  // namespace fixtures
