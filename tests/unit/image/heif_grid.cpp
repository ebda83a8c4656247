// SPDX-License-Identifier: GPL-3.0-or-later
#include "heif_grid.h"

#include "isobmff_boxes.h"

#include <span>
#include <string_view>
#include <tuple>

namespace fixtures {

namespace {

// The body of the first box of that type in a run of boxes, looking into
// "meta" (after its version), "iprp" and "ipco"; its whole box in `whole`.
bool FindBox(std::span<const uint8_t> run, std::string_view type, std::span<const uint8_t>& body,
             std::span<const uint8_t>* whole = nullptr)
{
    for (size_t at = 0; at + 8 <= run.size();) {
        const size_t size = size_t{run[at]} << 24 | size_t{run[at + 1]} << 16 | size_t{run[at + 2]} << 8 | run[at + 3];
        if (size < 8 || size > run.size() - at)
            return false;
        const std::string_view t(reinterpret_cast<const char*>(run.data() + at + 4), 4);
        const auto inner = run.subspan(at + 8, size - 8);
        if (t == type) {
            body = inner;
            if (whole)
                *whole = run.subspan(at, size);
            return true;
        }
        if ((t == "meta" && FindBox(inner.subspan(4), type, body, whole)) ||
            ((t == "iprp" || t == "ipco") && FindBox(inner, type, body, whole)))
            return true;
        at += size;
    }
    return false;
}

}  // namespace

Tile TileOf(const Bytes& heic)
{
    std::span<const uint8_t> body, whole, iloc;
    Tile t;
    if (!FindBox(heic, "hvcC", body, &whole) || !FindBox(heic, "iloc", iloc))
        return t;
    t.hvcC.assign(whole.begin(), whole.end());
    // Version 0 or 1, offsets and lengths of four bytes, a base offset of
    // none or four; the first item's first extent.
    const uint8_t version = iloc[0];
    const size_t baseBytes = iloc.size() > 5 ? iloc[5] >> 4 : 0;
    const size_t base = 4 + 2 + 2 + 2 + (version >= 1 ? 2 : 0) + 2;  // to the first item's base offset
    const size_t at = base + baseBytes + 2;
    auto u32 = [&](size_t i) {
        return uint32_t{iloc[i]} << 24 | uint32_t{iloc[i + 1]} << 16 | uint32_t{iloc[i + 2]} << 8 | iloc[i + 3];
    };
    if (iloc.size() < at + 8 || iloc[4] != 0x44 || (baseBytes != 0 && baseBytes != 4))
        return t;
    const uint64_t offset = (baseBytes ? u32(base) : 0) + u32(at), length = u32(at + 4);
    if (offset + length <= heic.size())
        t.data.assign(heic.begin() + static_cast<std::ptrdiff_t>(offset),
                      heic.begin() + static_cast<std::ptrdiff_t>(offset + length));
    return t;
}

Bytes GridHeic(const Tile& tile, int tileSide, const Grid& g)
{
    auto infe = [](int id, std::string_view type) {
        Bytes b;
        Put(b, static_cast<uint64_t>(id), 2);
        Put(b, 0, 2);
        b.insert(b.end(), type.begin(), type.end());
        b.push_back(0);
        return MakeBox("infe", b, 2);
    };
    Bytes iinf, dimg, ipco, ipma, grid, hdlr(4, 0);
    Put(iinf, 2, 2);
    iinf = Join({iinf, infe(1, "hvc1"), infe(2, "grid")});
    Put(dimg, 2, 2);
    Put(dimg, static_cast<uint64_t>(g.rows * g.columns), 2);
    for (int i = 0; i < g.rows * g.columns; ++i)
        Put(dimg, 1, 2);
    auto ispe = [](int w, int h) {
        Bytes b;
        Put(b, static_cast<uint64_t>(w), 4);
        Put(b, static_cast<uint64_t>(h), 4);
        return MakeBox("ispe", b, 0);
    };
    ipco = Join({tile.hvcC, ispe(tileSide, tileSide), ispe(g.outputWidth, g.outputHeight)});
    Put(ipma, 2, 4);
    Put(ipma, 1, 2);
    if (g.tileSizeStated)
        ipma.insert(ipma.end(), {2, 0x81, 0x02});
    else
        ipma.insert(ipma.end(), {1, 0x81});
    Put(ipma, 2, 2);
    ipma.insert(ipma.end(), {1, 0x03});
    grid = {0, 0, static_cast<uint8_t>(g.rows - 1), static_cast<uint8_t>(g.columns - 1)};
    Put(grid, static_cast<uint64_t>(g.outputWidth), 2);
    Put(grid, static_cast<uint64_t>(g.outputHeight), 2);
    hdlr.insert(hdlr.end(), {'p', 'i', 'c', 't'});
    hdlr.resize(hdlr.size() + 13, 0);
    const Bytes ftyp = MakeBox("ftyp", {'h', 'e', 'i', 'c', 0, 0, 0, 0, 'm', 'i', 'f', '1', 'h', 'e', 'i', 'c'});
    auto meta = [&](uint32_t dataOffset) {
        Bytes iloc{0x44, 0x00};
        Put(iloc, 2, 2);
        for (const auto& [id, method, offset, length] :
             {std::tuple{1, 0, dataOffset, tile.data.size()}, std::tuple{2, 1, 0u, grid.size()}}) {
            Put(iloc, static_cast<uint64_t>(id), 2);
            Put(iloc, static_cast<uint64_t>(method), 2);
            Put(iloc, 0, 2);
            Put(iloc, 1, 2);
            Put(iloc, offset, 4);
            Put(iloc, length, 4);
        }
        Bytes pitm;
        Put(pitm, 2, 2);
        return MakeBox("meta",
                       Join({MakeBox("hdlr", hdlr, 0), MakeBox("pitm", pitm, 0), MakeBox("iinf", iinf, 0),
                             MakeBox("iref", MakeBox("dimg", dimg), 0),
                             MakeBox("iprp", Join({MakeBox("ipco", ipco), MakeBox("ipma", ipma, 0)})),
                             MakeBox("idat", grid), MakeBox("iloc", iloc, 1)}),
                       0);
    };
    const size_t offset = ftyp.size() + meta(0).size() + 8;
    return Join({ftyp, meta(static_cast<uint32_t>(offset)), MakeBox("mdat", tile.data)});
}

}  // namespace fixtures
