// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/heif/de265_library.h"

#include "image/formats/shared_library.h"

#include <optional>

namespace {

std::optional<De265Library> Load()
{
    static const SharedLibrary lib(ZELVARO_LIBDE265_SONAME);
    De265Library f{};
    const bool all = lib.Find("de265_new_decoder", f.new_decoder) && lib.Find("de265_free_decoder", f.free_decoder) &&
                     lib.Find("de265_start_worker_threads", f.start_worker_threads) &&
                     lib.Find("de265_set_parameter_bool", f.set_parameter_bool) &&
                     lib.Find("de265_push_NAL", f.push_NAL) && lib.Find("de265_flush_data", f.flush_data) &&
                     lib.Find("de265_decode", f.decode) && lib.Find("de265_get_next_picture", f.get_next_picture) &&
                     lib.Find("de265_release_next_picture", f.release_next_picture) &&
                     lib.Find("de265_get_chroma_format", f.get_chroma_format) &&
                     lib.Find("de265_get_image_width", f.get_image_width) &&
                     lib.Find("de265_get_image_height", f.get_image_height) &&
                     lib.Find("de265_get_bits_per_pixel", f.get_bits_per_pixel) &&
                     lib.Find("de265_get_image_plane", f.get_image_plane) &&
                     lib.Find("de265_get_image_colour_primaries", f.get_image_colour_primaries) &&
                     lib.Find("de265_get_image_transfer_characteristics", f.get_image_transfer_characteristics) &&
                     lib.Find("de265_get_image_matrix_coefficients", f.get_image_matrix_coefficients) &&
                     lib.Find("de265_get_image_full_range_flag", f.get_image_full_range_flag);
    if (!all)
        return std::nullopt;
    return f;
}

}  // namespace

const De265Library* De265Library::Get()
{
    static const std::optional<De265Library> loaded = Load();
    return loaded ? &*loaded : nullptr;
}
