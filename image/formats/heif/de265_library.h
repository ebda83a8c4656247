// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The part of libde265 (the HEVC decoder libheif itself uses) that the HEIC
// reader drives on its own worker threads; loaded with libheif.

#include <libde265/de265.h>

struct De265Library {
    decltype(&de265_new_decoder) new_decoder;
    decltype(&de265_free_decoder) free_decoder;
    decltype(&de265_start_worker_threads) start_worker_threads;
    decltype(&de265_set_parameter_bool) set_parameter_bool;
    decltype(&de265_push_NAL) push_NAL;
    decltype(&de265_flush_data) flush_data;
    decltype(&de265_decode) decode;
    decltype(&de265_get_next_picture) get_next_picture;
    decltype(&de265_release_next_picture) release_next_picture;
    decltype(&de265_get_chroma_format) get_chroma_format;
    decltype(&de265_get_image_width) get_image_width;
    decltype(&de265_get_image_height) get_image_height;
    decltype(&de265_get_bits_per_pixel) get_bits_per_pixel;
    decltype(&de265_get_image_plane) get_image_plane;
    decltype(&de265_get_image_colour_primaries) get_image_colour_primaries;
    decltype(&de265_get_image_transfer_characteristics) get_image_transfer_characteristics;
    decltype(&de265_get_image_matrix_coefficients) get_image_matrix_coefficients;
    decltype(&de265_get_image_full_range_flag) get_image_full_range_flag;

    // The loaded library, or null when it is not installed or lacks a
    // function; loaded once, on the first call, from any thread.
    static const De265Library* Get();
};
