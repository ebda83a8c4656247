// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/heif/heif_library.h"

#include "image/formats/shared_library.h"

#include <optional>

namespace {

std::optional<HeifLibrary> Load()
{
    static const SharedLibrary lib(ZELVARO_LIBHEIF_SONAME);
    HeifLibrary f{};
    const bool all = lib.Find("heif_context_alloc", f.context_alloc) && lib.Find("heif_context_free", f.context_free) &&
                     lib.Find("heif_context_read_from_memory_without_copy", f.context_read_from_memory_without_copy) &&
                     lib.Find("heif_context_get_primary_image_handle", f.context_get_primary_image_handle) &&
                     lib.Find("heif_image_handle_get_width", f.image_handle_get_width) &&
                     lib.Find("heif_image_handle_get_height", f.image_handle_get_height) &&
                     lib.Find("heif_image_handle_get_ispe_width", f.image_handle_get_ispe_width) &&
                     lib.Find("heif_image_handle_get_ispe_height", f.image_handle_get_ispe_height) &&
                     lib.Find("heif_image_handle_get_luma_bits_per_pixel", f.image_handle_get_luma_bits_per_pixel) &&
                     lib.Find("heif_image_handle_release", f.image_handle_release) &&
                     lib.Find("heif_decoding_options_alloc", f.decoding_options_alloc) &&
                     lib.Find("heif_decoding_options_free", f.decoding_options_free) &&
                     lib.Find("heif_decode_image", f.decode_image) &&
                     lib.Find("heif_image_get_plane_readonly", f.image_get_plane_readonly) &&
                     lib.Find("heif_image_get_width", f.image_get_width) &&
                     lib.Find("heif_image_get_height", f.image_get_height) &&
                     lib.Find("heif_image_release", f.image_release);
    if (!all)
        return std::nullopt;
    f.CanTakeDecoders =
        lib.Find("heif_register_decoder_plugin", f.register_decoder_plugin) &&
        lib.Find("heif_image_create", f.image_create) && lib.Find("heif_image_add_plane", f.image_add_plane) &&
        lib.Find("heif_image_get_plane", f.image_get_plane) &&
        lib.Find("heif_nclx_color_profile_alloc", f.nclx_color_profile_alloc) &&
        lib.Find("heif_nclx_color_profile_free", f.nclx_color_profile_free) &&
        lib.Find("heif_nclx_color_profile_set_color_primaries", f.nclx_color_profile_set_color_primaries) &&
        lib.Find("heif_nclx_color_profile_set_transfer_characteristics",
                 f.nclx_color_profile_set_transfer_characteristics) &&
        lib.Find("heif_nclx_color_profile_set_matrix_coefficients", f.nclx_color_profile_set_matrix_coefficients) &&
        lib.Find("heif_image_set_nclx_color_profile", f.image_set_nclx_color_profile);
    lib.Find("heif_context_set_max_decoding_threads", f.context_set_max_decoding_threads);
    lib.Find("heif_image_handle_get_raw_color_profile_size", f.image_handle_get_raw_color_profile_size);
    lib.Find("heif_image_handle_get_raw_color_profile", f.image_handle_get_raw_color_profile);
    lib.Find("heif_image_handle_get_nclx_color_profile", f.image_handle_get_nclx_color_profile);
    lib.Find("heif_nclx_color_profile_free", f.nclx_color_profile_release);
    if (!lib.Find("heif_image_handle_get_list_of_metadata_block_IDs", f.image_handle_get_list_of_metadata_block_IDs) ||
        !lib.Find("heif_image_handle_get_metadata_size", f.image_handle_get_metadata_size) ||
        !lib.Find("heif_image_handle_get_metadata", f.image_handle_get_metadata))
        f.image_handle_get_list_of_metadata_block_IDs = nullptr;
    lib.Find("heif_context_get_number_of_top_level_images", f.context_get_number_of_top_level_images);
    lib.Find("heif_context_get_list_of_top_level_image_IDs", f.context_get_list_of_top_level_image_IDs);
    lib.Find("heif_context_get_image_handle", f.context_get_image_handle);
    lib.Find("heif_image_handle_get_number_of_metadata_blocks", f.image_handle_get_number_of_metadata_blocks);
    lib.Find("heif_image_handle_get_metadata_content_type", f.image_handle_get_metadata_content_type);
    return f;
}

}  // namespace

const HeifLibrary* HeifLibrary::Get()
{
    static const std::optional<HeifLibrary> loaded = Load();
    return loaded ? &*loaded : nullptr;
}
