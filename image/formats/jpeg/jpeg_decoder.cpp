// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/jpeg/jpeg_decoder.h"

#include "image/colour/colour_management.h"
#include "image/fit/streaming_fit.h"
#include "image/formats/two_threads.h"
#include "image/image_file.h"
#include "image/image_limits.h"
#include "image/orientation.h"

#include <jpeglib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

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

void Silent(j_common_ptr)
{}

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

// CMYK pictures come a row at a time through this row, and are converted by
// the file's CMYK profile or, when it has none, by the plain formula.
struct CmykRows {
    std::vector<uint8_t> row;
    CmykRowConversion profile;
};

// Where a decoder reads the file: its bytes, or an open stream.
struct Source {
    std::span<const uint8_t> bytes;
    std::FILE* file = nullptr;
    unsigned eighths = 8;  // the scale to decode at
};

// Sets up a decoder's error handling (each decoder jumps to its own point)
// and the scan limit; the decoder is created by the first phase.
void Prepare(jpeg_decompress_struct& cinfo, ErrorManager& errors, jpeg_progress_mgr& progress)
{
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = OnError;
    errors.pub.output_message = Silent;
    progress.progress_monitor = CheckScans;
}

// Creates the decoder and reads the header as far as the output size; the
// first decoder keeps the Exif segment, for the orientation, and the ICC
// profile's segments. Returns false,
// the decoder to be destroyed, when libjpeg gave up.
bool Open(jpeg_decompress_struct& cinfo, ErrorManager& errors, jpeg_progress_mgr& progress, const Source& src,
          bool keepExif)
{
    if (setjmp(errors.jump))
        return false;
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &progress;
    if (keepExif) {
        jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
        jpeg_save_markers(&cinfo, JPEG_APP0 + 2, 0xFFFF);  // the ICC profile's chain
    }
    if (src.file)
        jpeg_stdio_src(&cinfo, src.file);
    else
        jpeg_mem_src(&cinfo, src.bytes.data(), static_cast<unsigned long>(src.bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = src.eighths;
    cinfo.scale_denom = 8;
    cinfo.do_fancy_upsampling = src.eighths == 8 ? TRUE : FALSE;
    const bool grey = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = grey ? JCS_GRAYSCALE : (cmyk ? JCS_CMYK : JCS_EXT_BGR);
    jpeg_calc_output_dimensions(&cinfo);
    return true;
}

// The ICC profile the APP2 segments carry; empty when there is none or its
// chain is broken.
void ReadIcc(jpeg_decompress_struct& cinfo, std::vector<uint8_t>& icc)
{
    JOCTET* data = nullptr;
    unsigned int length = 0;
    if (jpeg_read_icc_profile(&cinfo, &data, &length) && data)
        icc.assign(data, data + length);
    std::free(data);
}

std::vector<uint8_t> IccProfile(jpeg_decompress_struct& cinfo, ErrorManager& errors)
{
    std::vector<uint8_t> icc;
    if (setjmp(errors.jump))
        return {};
    ReadIcc(cinfo, icc);
    return icc;
}

bool Rescale(jpeg_decompress_struct& cinfo, ErrorManager& errors, unsigned eighths)
{
    if (setjmp(errors.jump))
        return false;
    cinfo.scale_num = eighths;
    // A picture decoded small is reduced to the screen's size afterwards,
    // which averages far more than the smooth chroma upsampling would.
    cinfo.do_fancy_upsampling = FALSE;
    jpeg_calc_output_dimensions(&cinfo);
    return true;
}

bool Start(jpeg_decompress_struct& cinfo, ErrorManager& errors)
{
    if (setjmp(errors.jump))
        return false;
    jpeg_start_decompress(&cinfo);
    return true;
}

// Every picture row (top first) as the decoder's output row.
std::vector<uint8_t*> TopRows(DibPicture& pic)
{
    std::vector<uint8_t*> rows(static_cast<size_t>(pic.Height));
    for (int y = 0; y < pic.Height; ++y)
        rows[y] = pic.TopRow(y);
    return rows;
}

// Decodes output rows up to `last` straight into the picture's rows (the
// bottom-up bitmap is filled directly), CMYK through a row of its own.
bool ReadRows(jpeg_decompress_struct& cinfo, ErrorManager& errors, DibPicture& pic, uint8_t* const* rows,
              CmykRows& cmykRows, JDIMENSION last)
{
    if (setjmp(errors.jump))
        return false;
    const bool cmyk = cinfo.out_color_space == JCS_CMYK;
    while (cinfo.output_scanline < last) {
        const JDIMENSION at = cinfo.output_scanline;
        if (cmyk) {
            uint8_t* row = cmykRows.row.data();
            if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
                return false;
            cmykRows.profile(row, pic.TopRow(static_cast<int>(at)), pic.Width);
        } else if (jpeg_read_scanlines(&cinfo, const_cast<JSAMPARRAY>(rows + at), last - at) == 0) {
            return false;
        }
    }
    return true;
}

bool Skip(jpeg_decompress_struct& cinfo, ErrorManager& errors, JDIMENSION rows)
{
    if (setjmp(errors.jump))
        return false;
    return jpeg_skip_scanlines(&cinfo, rows) == rows;
}

// Decodes the rows the fit uses, a band at a time into `band` (room for
// `bandRows` output rows), and hands each to the fit; the rows above them are
// skipped and those below are never decoded.
bool StreamRows(jpeg_decompress_struct& cinfo, ErrorManager& errors, StreamingFit& fit, uint8_t* const* band,
                JDIMENSION bandRows)
{
    if (setjmp(errors.jump))
        return false;
    const auto first = static_cast<JDIMENSION>(fit.FirstRow()), end = static_cast<JDIMENSION>(fit.EndRow());
    if (first > 0 && jpeg_skip_scanlines(&cinfo, first) != first)
        return false;
    while (cinfo.output_scanline < end) {
        const JDIMENSION at = cinfo.output_scanline;
        const JDIMENSION got = jpeg_read_scanlines(&cinfo, const_cast<JSAMPARRAY>(band), std::min(bandRows, end - at));
        if (got == 0)
            return false;
        for (JDIMENSION i = 0; i < got; ++i)
            fit.Push(static_cast<int>(at + i), band[i]);
    }
    return fit.Done();
}

// Bands of decoded rows handed from the decoder to the fit working on a
// thread of its own, so that one band is reduced while the next is decoded.
// The bands are a ring of kBands; the decoder waits while all are full.
class BandRelay {
public:
    static constexpr size_t kBands = 4;

    // The decoder's side. Waits until band `n` (counted from 0) may be
    // filled; false when the fit has stopped.
    bool WaitFree(size_t n)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || n < taken_ + kBands; });
        return !stopped_;
    }
    // Band `filled` holds `rows` rows from source row `first` on.
    void Hand(JDIMENSION first, JDIMENSION rows)
    {
        const std::lock_guard lock(mutex_);
        first_[filled_ % kBands] = first;
        rows_[filled_ % kBands] = rows;
        ++filled_;
        changed_.notify_all();
    }
    // No band comes after those handed.
    void Close()
    {
        const std::lock_guard lock(mutex_);
        closed_ = true;
        changed_.notify_all();
    }

    // The fit's side. Waits for the next band: its slot in the ring, first
    // row and row count; false once the bands are closed and all taken.
    bool Take(size_t& slot, JDIMENSION& first, JDIMENSION& rows)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return closed_ || filled_ > taken_; });
        if (filled_ == taken_)
            return false;
        slot = taken_ % kBands;
        first = first_[slot];
        rows = rows_[slot];
        return true;
    }
    // The band last taken may be filled again.
    void Release()
    {
        const std::lock_guard lock(mutex_);
        ++taken_;
        changed_.notify_all();
    }
    // The fit gives up; the decoder stops at its next band.
    void Stop()
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    size_t filled_ = 0, taken_ = 0;
    bool closed_ = false, stopped_ = false;
    JDIMENSION first_[kBands] = {}, rows_[kBands] = {};
};

// The decoder's side of StreamRows on two threads: each band is decoded into
// its slot of the ring (`bands[slot]` the slot's rows) and handed over.
bool DecodeBands(jpeg_decompress_struct& cinfo, ErrorManager& errors, const StreamingFit& fit,
                 const std::vector<std::vector<uint8_t*>>& bands, JDIMENSION bandRows, BandRelay& relay)
{
    if (setjmp(errors.jump))
        return false;
    const auto first = static_cast<JDIMENSION>(fit.FirstRow()), end = static_cast<JDIMENSION>(fit.EndRow());
    if (first > 0 && jpeg_skip_scanlines(&cinfo, first) != first)
        return false;
    for (size_t n = 0; cinfo.output_scanline < end; ++n) {
        if (!relay.WaitFree(n))
            return false;
        const JDIMENSION at = cinfo.output_scanline;
        const JDIMENSION got = jpeg_read_scanlines(&cinfo, const_cast<JSAMPARRAY>(bands[n % BandRelay::kBands].data()),
                                                   std::min(bandRows, end - at));
        if (got == 0)
            return false;
        relay.Hand(at, got);
    }
    return true;
}

// Decoded pictures from this many rows' pixels up are reduced on a second
// thread while the decoder goes on; below it the thread costs more.
constexpr uint64_t kRelayPixels = uint64_t{1} << 20;

// A photo decoded at a reduced scale for a screen, upright as stored and in
// colour, is made the screen's size as its rows come: the decoded picture is
// never held whole. `pic` becomes the screen-sized picture, each of its rows
// put through `colours` (when there is one) as it is made. A large picture
// is reduced on a second core while it is decoded.
bool DecodeFitted(jpeg_decompress_struct& cinfo, ErrorManager& errors, const ScaleHint& hint, DibPicture& pic,
                  const RowConversion& colours)
{
    StreamingFit fit;
    if (!fit.Start(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), *hint.Fit, hint.Width,
                   hint.Height, pic))
        return false;
    if (colours)
        fit.OnRowMade(colours);
    constexpr JDIMENSION kBandRows = 16;
    const size_t rowBytes = static_cast<size_t>(cinfo.output_width) * 3;
    const bool relayed = std::thread::hardware_concurrency() >= 2 &&
                         uint64_t{cinfo.output_width} * static_cast<uint64_t>(fit.EndRow() - fit.FirstRow()) >=
                             kRelayPixels;
    const size_t bandCount = relayed ? BandRelay::kBands : 1;
    std::vector<uint8_t> band(rowBytes * kBandRows * bandCount);
    std::vector<std::vector<uint8_t*>> bands(bandCount, std::vector<uint8_t*>(kBandRows));
    for (size_t b = 0; b < bandCount; ++b)
        for (JDIMENSION i = 0; i < kBandRows; ++i)
            bands[b][i] = band.data() + rowBytes * (b * kBandRows + i);
    if (!Start(cinfo, errors))
        return false;
    if (!relayed)
        return StreamRows(cinfo, errors, fit, bands[0].data(), kBandRows);
    BandRelay relay;
    std::thread reducer;
    try {
        reducer = std::thread([&] {
            try {
                size_t slot = 0;
                JDIMENSION first = 0, rows = 0;
                while (relay.Take(slot, first, rows)) {
                    for (JDIMENSION i = 0; i < rows; ++i)
                        fit.Push(static_cast<int>(first + i), bands[slot][i]);
                    relay.Release();
                }
            } catch (...) {
                relay.Stop();
            }
        });
    } catch (...) {  // no thread to be had: all on this one
        return StreamRows(cinfo, errors, fit, bands[0].data(), kBandRows);
    }
    const bool decoded = DecodeBands(cinfo, errors, fit, bands, kBandRows, relay);
    relay.Close();
    reducer.join();
    return decoded && fit.Done();
}

// Pictures from this size up are decoded by two threads when the machine has
// two cores; below it a thread costs more than it saves.
constexpr uint64_t kSplitPixels = uint64_t{1} << 20;

// The first output row a second decoder takes over, or the height when one
// decoder does it all. The second decoder still has to read the rows above
// it (entropy decoding, about half the work of a photo), so it takes the
// lower third; the cut falls on a whole row of blocks.
JDIMENSION SplitRow(const jpeg_decompress_struct& cinfo)
{
    const JDIMENSION h = cinfo.output_height;
    // Decoded at a reduced scale, entropy decoding is most of the work, and
    // the second decoder would repeat it for the rows it passes over.
    if (cinfo.progressive_mode || cinfo.buffered_image || cinfo.out_color_space == JCS_CMYK ||
        cinfo.scale_num != cinfo.scale_denom || uint64_t{cinfo.output_width} * h < kSplitPixels ||
        std::thread::hardware_concurrency() < 2)
        return h;
    const JDIMENSION block = static_cast<JDIMENSION>(cinfo.max_v_samp_factor * cinfo.min_DCT_scaled_size);
    const JDIMENSION split = block ? (h * 2 / 3) / block * block : 0;
    return split > 0 && split < h ? split : h;
}

// The rows from `first` down, decoded by a decoder of its own on this
// thread. The stream is its own too: a second descriptor on the same file,
// or the same bytes.
bool DecodeLowerRows(const Source& src, JDIMENSION first, DibPicture& pic, uint8_t* const* rows)
{
    Source own = src;
    if (src.file) {
        const int fd = ReopenImageFile(::fileno(src.file));
        own.file = fd >= 0 ? ::fdopen(fd, "rb") : nullptr;
        if (!own.file) {
            if (fd >= 0)
                ::close(fd);
            return false;
        }
    }
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
    CmykRows unused;
    Prepare(cinfo, errors, progress);
    const bool ok = Open(cinfo, errors, progress, own, false) && Start(cinfo, errors) &&
                    cinfo.output_width == static_cast<JDIMENSION>(pic.Width) &&
                    cinfo.output_height == static_cast<JDIMENSION>(pic.Height) && Skip(cinfo, errors, first) &&
                    ReadRows(cinfo, errors, pic, rows, unused, cinfo.output_height);
    jpeg_destroy_decompress(&cinfo);
    if (own.file)
        std::fclose(own.file);
    return ok;
}

// The fewest eighths at which the picture still meets the hint (all eight
// when none does).
unsigned EighthsFor(const jpeg_decompress_struct& cinfo, const ScaleHint& hint)
{
    if (!hint.Wanted())
        return 8;
    for (unsigned k = 1; k < 8; ++k) {
        const uint64_t w = (uint64_t{cinfo.image_width} * k + 7) / 8, h = (uint64_t{cinfo.image_height} * k + 7) / 8;
        if (hint.LargeEnough(static_cast<int64_t>(w), static_cast<int64_t>(h)))
            return k;
    }
    return 8;
}

// The whole picture at the decoder's output size, 8-bit grey or 24-bit,
// large pictures by two decoders at once.
bool DecodeWhole(jpeg_decompress_struct& cinfo, ErrorManager& errors, const Source& src, DibPicture& pic,
                 const CmykRowConversion& cmykProfile)
{
    const bool grey = cinfo.out_color_space == JCS_GRAYSCALE;
    const bool cmyk = cinfo.out_color_space == JCS_CMYK;
    if (!pic.Allocate(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), grey ? 8 : 24,
                      false) ||
        !Start(cinfo, errors))
        return false;
    if (grey)
        GreyPalette(pic);
    pic.ClearPadding();  // the decoder writes the pixels only
    const std::vector<uint8_t*> rows = TopRows(pic);
    CmykRows cmykRows{std::vector<uint8_t>(cmyk ? static_cast<size_t>(pic.Width) * 4 : 0), cmykProfile};
    const JDIMENSION split = SplitRow(cinfo);
    const auto upper = [&] { return ReadRows(cinfo, errors, pic, rows.data(), cmykRows, split); };
    const TwoThreadResult parts = split < cinfo.output_height
                                      ? RunOnTwoThreads(upper,
                                                        [&] { return DecodeLowerRows(src, split, pic, rows.data()); })
                                      : TwoThreadResult{upper(), true};
    // Where the second decoder could not do its part, this one goes on.
    return parts.here && (parts.there || ReadRows(cinfo, errors, pic, rows.data(), cmykRows, cinfo.output_height));
}

ImageRead Run(Source src, const ScaleHint& hint)
{
    uint64_t fileBytes = src.bytes.size();
    struct stat st {};
    if (src.file && ::fstat(::fileno(src.file), &st) == 0 && st.st_size > 0)
        fileBytes = static_cast<uint64_t>(st.st_size);
    ImageRead out;
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
    Prepare(cinfo, errors, progress);
    bool ok = Open(cinfo, errors, progress, src, true);
    int orientation = 1;
    for (jpeg_saved_marker_ptr m = ok ? cinfo.marker_list : nullptr; m && orientation == 1; m = m->next)
        if (m->marker == JPEG_APP0 + 1)
            orientation = ExifOrientation({m->data, m->data_length});
    if (ok)
        out.Colour.Icc = IccProfile(cinfo, errors);
    // Decoded at the smallest scale that meets the hint, for the picture as
    // it is shown (turned a quarter for orientations 5 to 8).
    src.eighths = ok ? EighthsFor(cinfo, orientation >= 5 ? hint.Turned() : hint) : 8;
    ok = ok && (src.eighths == 8 || Rescale(cinfo, errors, src.eighths));
    const bool grey = cinfo.out_color_space == JCS_GRAYSCALE;
    const bool cmyk = cinfo.out_color_space == JCS_CMYK;
    // A CMYK picture goes through its profile as it is decoded, and is sRGB
    // after that.
    const CmykRowConversion cmykProfile = cmyk ? CmykConversionFor(out.Colour.Icc) : CmykRowConversion{};
    if (cmyk)
        out.Colour = {};
    DibPicture& pic = out.Picture;
    // Reduced to the screen as it is decoded where nothing is left to do to
    // the decoded picture; at full scale the picture is hardly larger than
    // the screen, and two threads decode it faster whole.
    const bool fitted = hint.Fit && hint.Wanted() && src.eighths < 8 && orientation == 1 && !grey && !cmyk;
    // Reduced to the screen, the rows are converted to sRGB as they are made.
    const RowConversion colours = fitted ? RowConversionFor(out.Colour) : RowConversion{};
    // A header that promises more pixels than the file could hold is refused
    // before the picture is allocated.
    ok = ok && image_limits::StoredBytesCanHold(cinfo.image_width, cinfo.image_height, fileBytes) &&
         (fitted ? DecodeFitted(cinfo, errors, hint, pic, colours) : DecodeWhole(cinfo, errors, src, pic, cmykProfile));
    jpeg_destroy_decompress(&cinfo);  // the rest of the file is not needed
    if (!ok)
        return ImageRead::Failed(ReadFailure::NotValid, "JPEG: not decodable");
    if (colours)
        out.Colour = {};  // sRGB now
    // A photo taken upright is shown upright.
    if (!MakeUpright(pic, orientation))
        return ImageRead::Failed(ReadFailure::Unreadable, "JPEG: no memory to turn the picture upright");
    out.FileBitCount = grey ? 8 : (cmyk ? 32 : 24);
    out.Failure = ReadFailure::None;
    return out;
}

}  // namespace

ImageRead DecodeJpeg(std::span<const uint8_t> bytes, const ScaleHint& hint)
{
    if (bytes.empty())
        return {};
    return Run(Source{bytes, nullptr}, hint);
}

ImageRead DecodeJpegFile(const ImageFile& file, const ScaleHint& hint)
{
    std::FILE* f = file.Stream();
    if (!f)
        return ImageRead::Failed(ReadFailure::Unreadable, "JPEG: cannot open the file");
    ImageRead out = Run(Source{{}, f}, hint);
    std::fclose(f);
    return out;
}
