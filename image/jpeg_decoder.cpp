#include "image/jpeg_decoder.h"

#include "image/image_file.h"
#include "image/image_limits.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <sys/stat.h>
#include <vector>

#include <jpeglib.h>

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return:
// it jumps back to the decode, which gives up. Warnings are not printed.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void OnError(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void Silent(j_common_ptr) {}

// Progressive files can carry thousands of scans of a few bytes each; a limit
// keeps the work in proportion to the file.
constexpr int kMaxScans = 500;

void CheckScans(j_common_ptr cinfo)
{
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->is_decompressor && d->input_scan_number > kMaxScans)
        OnError(cinfo);
}

void GreyPalette(DibPicture& pic)
{
    pic.Palette.resize(256);
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<uint8_t>(i);
        pic.Palette[i] = {v, v, v, 0};
    }
}

// CMYK as Adobe writes it (inverted) to blue, green, red.
void CmykRow(const uint8_t* s, uint8_t* d, int width)
{
    for (int x = 0; x < width; ++x, s += 4, d += 3) {
        const unsigned k = s[3];
        d[0] = static_cast<uint8_t>(s[2] * k / 255);
        d[1] = static_cast<uint8_t>(s[1] * k / 255);
        d[2] = static_cast<uint8_t>(s[0] * k / 255);
    }
}

// Every C++ object lives in the caller, declared before setjmp, so a jump
// back skips no destructor.
struct DecodeState {
    uint64_t fileBytes = 0;
    ImageRead out;
    std::vector<uint8_t*> rows;
    std::vector<uint8_t> cmyk;
};

bool Decode(jpeg_decompress_struct& cinfo, DecodeState& s)
{
    jpeg_read_header(&cinfo, TRUE);
    const bool grey = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = grey ? JCS_GRAYSCALE : (cmyk ? JCS_CMYK : JCS_EXT_BGR);
    jpeg_calc_output_dimensions(&cinfo);
    // A header that promises more pixels than the file could hold is refused
    // before the picture is allocated.
    if (!image_limits::StoredBytesCanHold(cinfo.output_width, cinfo.output_height, s.fileBytes))
        return false;
    DibPicture& pic = s.out.Picture;
    if (!pic.Allocate(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), grey ? 8 : 24,
                      false))
        return false;
    if (grey)
        GreyPalette(pic);
    jpeg_start_decompress(&cinfo);
    const int h = pic.Height;
    if (cmyk) {
        s.cmyk.resize(static_cast<size_t>(pic.Width) * 4);
        uint8_t* row = s.cmyk.data();
        while (cinfo.output_scanline < cinfo.output_height) {
            const int y = static_cast<int>(cinfo.output_scanline);
            if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
                return false;
            CmykRow(row, pic.TopRow(y), pic.Width);
        }
    } else {
        // Picture row y from the top is buffer row h - 1 - y: the decoder
        // fills the bottom-up bitmap directly.
        s.rows.resize(static_cast<size_t>(h));
        for (int y = 0; y < h; ++y)
            s.rows[y] = pic.TopRow(y);
        // Padding bytes are not written by the decoder.
        const size_t used = static_cast<size_t>(pic.Width) * (grey ? 1 : 3);
        if (used < pic.Stride())
            for (int y = 0; y < h; ++y)
                std::fill(s.rows[y] + used, s.rows[y] + pic.Stride(), uint8_t{0});
        while (cinfo.output_scanline < cinfo.output_height) {
            const JDIMENSION at = cinfo.output_scanline;
            if (jpeg_read_scanlines(&cinfo, s.rows.data() + at, cinfo.output_height - at) == 0)
                return false;
        }
    }
    s.out.FileBitCount = grey ? 8 : (cmyk ? 32 : 24);
    s.out.Failure = ReadFailure::None;
    return true;
}

ImageRead Run(std::span<const uint8_t> bytes, std::FILE* file)
{
    DecodeState state;
    state.fileBytes = bytes.size();
    struct stat st {};
    if (file && ::fstat(::fileno(file), &st) == 0 && st.st_size > 0)
        state.fileBytes = static_cast<uint64_t>(st.st_size);
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = OnError;
    errors.pub.output_message = Silent;
    progress.progress_monitor = CheckScans;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return ImageRead::Failed(ReadFailure::NotValid, "JPEG: not decodable");
    }
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &progress;
    if (file)
        jpeg_stdio_src(&cinfo, file);
    else
        jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    const bool ok = Decode(cinfo, state);
    jpeg_destroy_decompress(&cinfo);  // the rest of the file is not needed
    return ok ? std::move(state.out) : ImageRead::Failed(ReadFailure::NotValid, "JPEG: not decodable");
}

}  // namespace

ImageRead DecodeJpeg(std::span<const uint8_t> bytes)
{
    if (bytes.empty())
        return {};
    return Run(bytes, nullptr);
}

ImageRead DecodeJpegFile(const std::string& path)
{
    FileReadStatus status = FileReadStatus::Ok;
    std::FILE* f = OpenImageStream(path, status);
    if (!f)
        return ImageRead::Failed(ReadFailure::Unreadable, "JPEG: cannot open the file");
    ImageRead out = Run({}, f);
    std::fclose(f);
    return out;
}
