// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/png/png_decoder.h"

#include "image/image_file.h"
#include "image/image_limits.h"
#include "image/formats/png/inflated_png_stream.h"

#include <sys/stat.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <png.h>

namespace {

void Silent(png_structp, png_const_charp)
{}

void OnError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

}  // namespace

ImageRead DecodePngFile(const std::string& path)
{
    FileReadStatus status = FileReadStatus::Ok;
    std::FILE* f = OpenImageStream(path, status);
    if (!f)
        return ImageRead::Failed(ReadFailure::Unreadable, "PNG: cannot open the file");
    struct stat st {};
    const uint64_t fileBytes = ::fstat(::fileno(f), &st) == 0 && st.st_size > 0 ? uint64_t(st.st_size) : 0;
    // Inflated in one go where it can be; otherwise libpng streams the file.
    InflatedPngStream inflated;
    const bool inflatedWhole = inflated.Prepare(f, fileBytes);
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, Silent);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    ImageRead out;
    // Changed after setjmp and read after a jump back to it.
    volatile bool ok = false;
    std::vector<png_bytep> rows;
    if (png && info) {
        if (setjmp(png_jmpbuf(png)) == 0) {
            if (inflatedWhole)
                inflated.InstallOn(png);
            else
                png_init_io(png, f);
            png_read_info(png, info);
            const png_uint_32 w = png_get_image_width(png, info);
            const png_uint_32 h = png_get_image_height(png, info);
            const int depth = png_get_bit_depth(png, info);
            const int type = png_get_color_type(png, info);
            out.FileBitCount = depth * png_get_channels(png, info);
            // A header that promises more pixels than the file could hold
            // is refused before the picture is allocated.
            if (image_limits::Acceptable(w, h) && image_limits::StoredBytesCanHold(w, h, fileBytes)) {
                if (depth == 16)
                    png_set_strip_16(png);
                if (type == PNG_COLOR_TYPE_PALETTE || depth < 8)
                    png_set_expand(png);
                if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA)
                    png_set_gray_to_rgb(png);
                png_set_strip_alpha(png);
                png_set_bgr(png);
                png_set_interlace_handling(png);
                png_read_update_info(png, info);
                DibPicture& pic = out.Picture;
                if (png_get_rowbytes(png, info) == size_t{w} * 3 &&
                    pic.Allocate(static_cast<int>(w), static_cast<int>(h), 24)) {
                    rows.resize(h);
                    for (png_uint_32 y = 0; y < h; ++y)
                        rows[y] = pic.TopRow(static_cast<int>(y));
                    png_read_image(png, rows.data());
                    ok = true;
                }
            }
        }
    }
    png_destroy_read_struct(png ? &png : nullptr, info ? &info : nullptr, nullptr);
    std::fclose(f);
    if (!ok)
        return ImageRead::Failed(ReadFailure::NotValid, "PNG: not decodable");
    out.Failure = ReadFailure::None;
    return out;
}
