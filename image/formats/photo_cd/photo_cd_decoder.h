// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decoding one base resolution of a Photo CD image: luma and chroma samples
// in row pairs, converted to 24-bit colour with fixed-point tables, with an
// optional trim of the picture's border.

#include "image/image_read.h"

#include <cstdint>
#include <span>

enum PcdSize { pcdTiny, pcdSmall, pcdMedium };

struct PcdGeometry {
    int Width;
    int Height;
    uint32_t Offset;  // byte offset of the image data in the file
    int Unit;         // the trim unit d
};

PcdGeometry PcdGeometryFor(PcdSize size);

struct PcdRgb {
    uint8_t R, G, B;
    bool operator==(const PcdRgb&) const = default;
};

// One pixel's colour from its luma and chroma samples.
PcdRgb PcdToRgb(uint8_t y, uint8_t c1, uint8_t c2);

// Where the row pairs come from: a seek, then reads that must fill the buffer.
class PcdSource {
public:
    virtual ~PcdSource() = default;
    virtual bool Seek(uint64_t offset) = 0;
    virtual bool Read(uint8_t* buffer, size_t bytes) = 0;
};

inline constexpr const char* kPcdReadError = "PCD:File read error";

// Decodes the picture, (w - 2s) x H at 24 bits; Unreadable with the reason
// kPcdReadError when the source is shorter than the data needs or a seek fails.
ImageRead DecodePcd(PcdSource& source, PcdSize size, bool cutOff);

// A source over bytes in memory.
class PcdMemorySource : public PcdSource {
public:
    explicit PcdMemorySource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    bool Seek(uint64_t offset) override;
    bool Read(uint8_t* buffer, size_t bytes) override;

private:
    std::span<const uint8_t> bytes_;
    uint64_t at_ = 0;
};
