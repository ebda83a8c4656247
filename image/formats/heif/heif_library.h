// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The part of libheif the HEIF and AVIF reader uses, loaded on the first
// such file.

#include <libheif/heif.h>

struct HeifLibrary {
    decltype(&heif_context_alloc) context_alloc;
    decltype(&heif_context_free) context_free;
    decltype(&heif_context_read_from_memory_without_copy) context_read_from_memory_without_copy;
    decltype(&heif_context_get_primary_image_handle) context_get_primary_image_handle;
    decltype(&heif_image_handle_get_width) image_handle_get_width;
    decltype(&heif_image_handle_get_height) image_handle_get_height;
    decltype(&heif_image_handle_get_ispe_width) image_handle_get_ispe_width;
    decltype(&heif_image_handle_get_ispe_height) image_handle_get_ispe_height;
    decltype(&heif_image_handle_get_luma_bits_per_pixel) image_handle_get_luma_bits_per_pixel;
    decltype(&heif_image_handle_release) image_handle_release;
    decltype(&heif_decoding_options_alloc) decoding_options_alloc;
    decltype(&heif_decoding_options_free) decoding_options_free;
    decltype(&heif_decode_image) decode_image;
    decltype(&heif_image_get_plane_readonly) image_get_plane_readonly;
    decltype(&heif_image_get_width) image_get_width;
    decltype(&heif_image_get_height) image_get_height;
    decltype(&heif_image_release) image_release;

    // For a decoder of our own in libheif's place (threaded_hevc_decoder.h);
    // CanTakeDecoders is false, and some of these null, where this libheif
    // lacks them, and then libheif decodes alone.
    decltype(&heif_register_decoder_plugin) register_decoder_plugin;
    decltype(&heif_image_create) image_create;
    decltype(&heif_image_add_plane) image_add_plane;
    decltype(&heif_image_get_plane) image_get_plane;
    decltype(&heif_nclx_color_profile_alloc) nclx_color_profile_alloc;
    decltype(&heif_nclx_color_profile_free) nclx_color_profile_free;
    decltype(&heif_nclx_color_profile_set_color_primaries) nclx_color_profile_set_color_primaries;
    decltype(&heif_nclx_color_profile_set_transfer_characteristics) nclx_color_profile_set_transfer_characteristics;
    decltype(&heif_nclx_color_profile_set_matrix_coefficients) nclx_color_profile_set_matrix_coefficients;
    decltype(&heif_image_set_nclx_color_profile) image_set_nclx_color_profile;
    bool CanTakeDecoders = false;

    // The picture's colours, where this libheif tells them (null otherwise).
    decltype(&heif_image_handle_get_raw_color_profile_size) image_handle_get_raw_color_profile_size;
    decltype(&heif_image_handle_get_raw_color_profile) image_handle_get_raw_color_profile;
    decltype(&heif_image_handle_get_nclx_color_profile) image_handle_get_nclx_color_profile;
    decltype(&heif_nclx_color_profile_free) nclx_color_profile_release;
    // How many threads decode a grid's tiles, where this libheif tells it
    // (null otherwise).
    decltype(&heif_context_set_max_decoding_threads) context_set_max_decoding_threads;
    // Its Exif block, where this libheif gives it (null otherwise).
    decltype(&heif_image_handle_get_list_of_metadata_block_IDs) image_handle_get_list_of_metadata_block_IDs;
    decltype(&heif_image_handle_get_metadata_size) image_handle_get_metadata_size;
    decltype(&heif_image_handle_get_metadata) image_handle_get_metadata;
    // The pictures of a file beside its primary one and their XMP, for dynamic
    // wallpapers (null where this libheif lacks them).
    decltype(&heif_context_get_number_of_top_level_images) context_get_number_of_top_level_images;
    decltype(&heif_context_get_list_of_top_level_image_IDs) context_get_list_of_top_level_image_IDs;
    decltype(&heif_context_get_image_handle) context_get_image_handle;
    decltype(&heif_image_handle_get_number_of_metadata_blocks) image_handle_get_number_of_metadata_blocks;
    decltype(&heif_image_handle_get_metadata_content_type) image_handle_get_metadata_content_type;
    bool HasTopLevelPictures() const
    {
        return context_get_number_of_top_level_images && context_get_list_of_top_level_image_IDs &&
               context_get_image_handle && image_handle_get_number_of_metadata_blocks &&
               image_handle_get_metadata_content_type && image_handle_get_list_of_metadata_block_IDs;
    }

    // The loaded library, or null when it is not installed or lacks a
    // function; loaded once, on the first call, from any thread.
    static const HeifLibrary* Get();
};
