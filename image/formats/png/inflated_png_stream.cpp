// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/png/inflated_png_stream.h"

#include "image/image_limits.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
// The most a stored deflate block holds.
constexpr size_t kStoredBlock = 65535;
// How much the inflating thread inflates before it tells the reader.
constexpr size_t kStep = 64 * 1024;

uint32_t Be32(const uint8_t* p)
{
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

uint32_t Crc(const uint8_t* p, size_t n)
{
    return static_cast<uint32_t>(crc32_z(0, p, n));
}

// Samples per pixel of each PNG colour type; 0 for a type PNG does not have.
int Channels(int colourType)
{
    switch (colourType) {
    case 0: return 1;  // grey
    case 2: return 3;  // RGB
    case 3: return 1;  // palette index
    case 4: return 2;  // grey and alpha
    case 6: return 4;  // RGB and alpha
    default: return 0;
    }
}

}  // namespace

InflatedPngStream::~InflatedPngStream()
{
    stop_ = true;
    if (inflater_.joinable())
        inflater_.join();
}

bool InflatedPngStream::Prepare(std::FILE* f, uint64_t fileBytes)
{
    bool built = false;
    try {
        built = Build(f, fileBytes);
    } catch (const std::bad_alloc&) {
        // Too large for the memory left: libpng streams it a row at a time.
    }
    if (!built) {
        file_ = {};
        idat_ = {};
        rows_.reset();
        glue_ = {};
        pieces_ = {};
        std::rewind(f);
        return false;
    }
    try {
        inflater_ = std::thread([this] { Inflate(); });
    } catch (...) {
        Inflate();
    }
    return true;
}

bool InflatedPngStream::Build(std::FILE* f, uint64_t fileBytes)
{
    if (std::thread::hardware_concurrency() < 2 || fileBytes < sizeof kSignature + 12 + 13 ||
        fileBytes > kMaxInflatedBytes)
        return false;
    file_.resize(fileBytes);
    if (std::fread(file_.data(), 1, file_.size(), f) != file_.size() ||
        std::memcmp(file_.data(), kSignature, sizeof kSignature) != 0)
        return false;

    // Every chunk up to the end of the image data; the image data's check
    // sums are verified as it is inflated, the others here.
    uint32_t width = 0, height = 0;
    int bitsPerPixel = 0;
    size_t headEnd = 0;
    for (size_t at = sizeof kSignature;;) {
        if (file_.size() - at < 12)
            return false;
        const uint32_t length = Be32(&file_[at]);
        if (length > 0x7fffffffu || file_.size() - at - 12 < length)
            return false;
        const uint8_t* type = &file_[at + 4];
        const uint8_t* data = type + 4;
        if (at == sizeof kSignature) {
            if (std::memcmp(type, "IHDR", 4) != 0 || length != 13 || data[12] != 0 /* interlaced */)
                return false;
            width = Be32(data);
            height = Be32(data + 4);
            bitsPerPixel = data[8] * Channels(data[9]);
        }
        if (std::memcmp(type, "IDAT", 4) == 0) {
            if (idat_.empty())
                headEnd = at;
            idat_.emplace_back(type, length + 8);  // the type, the data and the check sum
        } else if (!idat_.empty()) {
            break;
        } else if (Crc(type, length + 4) != Be32(data + length)) {
            return false;
        }
        at += 12 + length;
    }
    if (bitsPerPixel == 0 || !image_limits::Acceptable(width, height) ||
        !image_limits::StoredBytesCanHold(width, height, fileBytes, image_limits::kMaxPixelsPerByteDeflated))
        return false;
    const uint64_t rowBytes = (uint64_t{width} * bitsPerPixel + 7) / 8;
    const uint64_t inflated = uint64_t{height} * (rowBytes + 1);
    if (inflated > kMaxInflatedBytes)
        return false;
    rowsSize_ = inflated;
    // Not cleared first: the inflating thread writes every byte before the
    // reader is let at it.
    rows_ = std::make_unique_for_overwrite<uint8_t[]>(rowsSize_);

    // The same file with the image data in one chunk of stored blocks. Its
    // Adler-32, the sum of the inflated bytes, is written once the inflating
    // is over.
    const size_t blocks = (rowsSize_ + kStoredBlock - 1) / kStoredBlock;
    glue_.reserve(8 + 2 + blocks * 5 + 4 + 4 + 12);
    const auto idatSize = static_cast<uint32_t>(2 + blocks * 5 + rowsSize_ + 4);
    Glue({uint8_t(idatSize >> 24), uint8_t(idatSize >> 16), uint8_t(idatSize >> 8), uint8_t(idatSize)});
    Glue({'I', 'D', 'A', 'T', 0x78, 0x01});
    pieces_.push_back({{file_.data(), headEnd}, Piece::Ready, 0});
    size_t glued = 0;
    for (size_t offset = 0; offset < rowsSize_; offset += kStoredBlock) {
        const size_t size = std::min(kStoredBlock, rowsSize_ - offset);
        const uint8_t last = offset + size == rowsSize_ ? 1 : 0;
        Glue({last, uint8_t(size), uint8_t(size >> 8), uint8_t(~size), uint8_t(~size >> 8)});
        pieces_.push_back({{glue_.data() + glued, glue_.size() - glued}, Piece::Ready, 0});
        pieces_.push_back({{rows_.get() + offset, size}, Piece::Rows, offset});
        glued = glue_.size();
    }
    Glue({0, 0, 0, 0 /* Adler-32 */, 0, 0, 0, 0 /* the chunk's check sum, not read */});
    Glue({0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xae, 0x42, 0x60, 0x82});
    pieces_.push_back({{glue_.data() + glued, glue_.size() - glued}, Piece::AfterRows, 0});
    return true;
}

void InflatedPngStream::Inflate()
{
    // As when libpng inflates: a wrong check sum on any chunk of image data is
    // an error, and so is data that ends before the rows do; data that goes
    // on after them or a wrong Adler-32 at its end are not.
    z_stream z{};
    size_t done = 0;
    bool sound = inflateInit(&z) == Z_OK;
    for (std::span<const uint8_t> chunk : idat_) {
        const size_t dataSize = chunk.size() - 8;
        if (!sound || stop_ || Crc(chunk.data(), dataSize + 4) != Be32(chunk.data() + 4 + dataSize)) {
            sound = false;
            break;
        }
        z.next_in = const_cast<Bytef*>(chunk.data() + 4);
        z.avail_in = static_cast<uInt>(dataSize);
        int result = Z_OK;
        while (result == Z_OK && z.avail_in > 0 && done < rowsSize_ && !stop_) {
            const size_t step = std::min(kStep, rowsSize_ - done);
            z.next_out = rows_.get() + done;
            z.avail_out = static_cast<uInt>(step);
            result = inflate(&z, Z_NO_FLUSH);
            done += step - z.avail_out;
            // The last byte waits for the end, which tells whether there is
            // a wrong check sum further on.
            ready_.store(std::min(done, rowsSize_ - 1), std::memory_order_release);
            ready_.notify_one();
        }
        if (result != Z_OK)
            break;
    }
    // The sum of the bytes inflated, which libpng checks unless told not to.
    uint8_t* adler = glue_.data() + glue_.size() - 20;
    adler[0] = uint8_t(z.adler >> 24), adler[1] = uint8_t(z.adler >> 16);
    adler[2] = uint8_t(z.adler >> 8), adler[3] = uint8_t(z.adler);
    inflateEnd(&z);
    ready_.store(sound && done == rowsSize_ ? rowsSize_ : kFailed, std::memory_order_release);
    ready_.notify_one();
}

bool InflatedPngStream::WaitFor(size_t end) const
{
    for (;;) {
        const size_t ready = ready_.load(std::memory_order_acquire);
        if (ready == kFailed)
            return false;
        if (ready >= end)
            return true;
        ready_.wait(ready, std::memory_order_acquire);
    }
}

void InflatedPngStream::Glue(std::initializer_list<uint8_t> bytes)
{
    glue_.insert(glue_.end(), bytes);
}

void InflatedPngStream::InstallOn(png_structp png)
{
    png_set_read_fn(png, this, &InflatedPngStream::Read);
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#ifdef PNG_IGNORE_ADLER32
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
}

void InflatedPngStream::Read(png_structp png, png_bytep out, size_t count)
{
    auto* self = static_cast<InflatedPngStream*>(png_get_io_ptr(png));
    while (count > 0) {
        if (self->piece_ == self->pieces_.size())
            png_error(png, "Read Error");
        const Piece& piece = self->pieces_[self->piece_];
        const size_t n = std::min(count, piece.bytes.size() - self->taken_);
        const size_t end = piece.wait == Piece::Rows ? piece.rowsOffset + self->taken_ + n : self->rowsSize_;
        if (piece.wait != Piece::Ready && !self->WaitFor(end))
            png_error(png, "IDAT: damaged image data");
        std::memcpy(out, piece.bytes.data() + self->taken_, n);
        out += n;
        count -= n;
        self->taken_ += n;
        if (self->taken_ == piece.bytes.size()) {
            ++self->piece_;
            self->taken_ = 0;
        }
    }
}
