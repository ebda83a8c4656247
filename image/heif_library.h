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

    // The loaded library, or null when it is not installed or lacks a
    // function; loaded once, on the first call, from any thread.
    static const HeifLibrary* Get();
};
