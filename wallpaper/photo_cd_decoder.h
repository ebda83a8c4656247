#pragma once
// Decoding one base resolution of a Photo CD image: luma and chroma samples
// in row pairs, converted to 24-bit colour with fixed-point tables, with an
// optional trim of the picture's border.

#include "wallpaper/picture.h"

#include <cstdint>
#include <span>

enum TPcdSize { pcdTiny, pcdSmall, pcdMedium };

struct TPcdGeometry {
    int Width;
    int Height;
    uint32_t Offset;  // byte offset of the image data in the file
    int Unit;         // the trim unit d
};

TPcdGeometry PcdGeometry(TPcdSize size);

struct TPcdRgb {
    uint8_t R, G, B;
    bool operator==(const TPcdRgb&) const = default;
};

// One pixel's colour from its luma and chroma samples.
TPcdRgb PcdToRgb(uint8_t y, uint8_t c1, uint8_t c2);

// Where the row pairs come from: a seek, then reads that must fill the buffer.
class TPcdSource {
public:
    virtual ~TPcdSource() = default;
    virtual bool Seek(uint64_t offset) = 0;
    virtual bool Read(uint8_t* buffer, size_t bytes) = 0;
};

// Decodes the picture; raises ZelvaroError when the source is shorter than
// the data needs or a seek fails. The result is (w - 2s) x H at 24 bits.
TPicture DecodePcd(TPcdSource& source, TPcdSize size, bool cutOff);

// A source over bytes in memory.
class TPcdMemorySource : public TPcdSource {
public:
    explicit TPcdMemorySource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    bool Seek(uint64_t offset) override;
    bool Read(uint8_t* buffer, size_t bytes) override;

private:
    std::span<const uint8_t> bytes_;
    uint64_t at_ = 0;
};
