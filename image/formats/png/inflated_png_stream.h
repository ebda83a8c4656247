// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A PNG file whose image data a second thread inflates while libpng reads
// the rows already inflated, undoes their filters and converts their pixels.
// libpng is handed the same file with that data stored uncompressed, so its
// own inflate only copies; it still reads the header and does every
// conversion, and the two halves of the work overlap.

#include <png.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <span>
#include <thread>
#include <vector>

class InflatedPngStream {
public:
    // The most inflated bytes held at once; a larger picture streams through
    // libpng as it always did, a row at a time.
    static constexpr uint64_t kMaxInflatedBytes = uint64_t{64} << 20;

    InflatedPngStream() = default;
    InflatedPngStream(const InflatedPngStream&) = delete;
    InflatedPngStream& operator=(const InflatedPngStream&) = delete;
    // Stops the inflating thread and waits for it.
    ~InflatedPngStream();

    // Reads the file from its start and starts inflating its image data.
    // False, with the file back at its start, when libpng is better left to
    // read it alone: one core, not a PNG, interlaced, a chunk before the end
    // of the image data whose check sum is wrong or that runs past the end of
    // the file, a header that promises more than the file can hold, or a
    // larger picture.
    bool Prepare(std::FILE* f, uint64_t fileBytes);

    // Makes libpng read this stream. The check sums are verified here, so
    // libpng is told not to compute them again; image data that is damaged
    // or ends early is a read error in libpng, as it is when libpng inflates.
    void InstallOn(png_structp png);

private:
    // Reads the file and lays out the stream; false (or bad_alloc) when
    // libpng is better left to read it alone.
    bool Build(std::FILE* f, uint64_t fileBytes);
    static void Read(png_structp png, png_bytep out, size_t count);
    // Waits until the inflated rows reach `end`; false when they never will.
    bool WaitFor(size_t end) const;
    void Inflate();
    void Glue(std::initializer_list<uint8_t> bytes);

    std::vector<uint8_t> file_;
    std::vector<std::span<const uint8_t>> idat_;  // in file_
    std::unique_ptr<uint8_t[]> rows_;             // the filtered rows, inflated
    size_t rowsSize_ = 0;
    std::vector<uint8_t> glue_;  // chunk and block headers between slices of rows_
    // The stream in order: slices of file_, glue_ and rows_. A slice of
    // rows_ is read once the rows are inflated that far; the Adler-32 after
    // them once the inflating is over.
    struct Piece {
        std::span<const uint8_t> bytes;
        enum { Ready, Rows, AfterRows } wait;
        size_t rowsOffset;  // where a slice of rows_ starts in it
    };
    std::vector<Piece> pieces_;
    size_t piece_ = 0;
    size_t taken_ = 0;  // bytes of pieces_[piece_] already read

    // Inflated bytes ready in rows_; rowsSize_ only once the inflating is
    // over, kFailed when the data cannot fill the rows.
    static constexpr size_t kFailed = SIZE_MAX;
    std::atomic<size_t> ready_{0};
    std::atomic<bool> stop_{false};
    std::thread inflater_;
};
