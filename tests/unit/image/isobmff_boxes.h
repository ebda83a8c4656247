// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing the boxes of HEIF and AVIF files by hand, for files no encoder at
// hand writes (grids whose sizes disagree, layered pictures).

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace fixtures {

using Bytes = std::vector<uint8_t>;

// `v` big-endian in `bytes` bytes.
inline void Put(Bytes& b, uint64_t v, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A box of that type around `body`; a full box (version, no flags) when
// `fullBoxVersion` is 0 or more.
inline Bytes MakeBox(std::string_view type, const Bytes& body, int fullBoxVersion = -1)
{
    Bytes b;
    Put(b, body.size() + 8 + (fullBoxVersion >= 0 ? 4 : 0), 4);
    b.insert(b.end(), type.begin(), type.end());
    if (fullBoxVersion >= 0)
        Put(b, static_cast<uint64_t>(fullBoxVersion) << 24, 4);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

inline Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes b;
    for (const Bytes& p : parts)
        b.insert(b.end(), p.begin(), p.end());
    return b;
}

}  // namespace fixtures
