// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/heif/heif_boxes.h"

#include "image/image_limits.h"

#include <limits>
#include <map>
#include <string_view>
#include <vector>

namespace {

// A view of bytes read front to back; a read past the end leaves it failed
// and gives zeros.
class BoxReader {
public:
    explicit BoxReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    bool Ok() const { return ok_; }
    bool AtEnd() const { return at_ >= bytes_.size(); }
    uint64_t Uint(int bytes)
    {
        if (bytes < 0 || bytes > 8 || bytes_.size() - at_ < static_cast<std::size_t>(bytes)) {
            ok_ = false;
            at_ = bytes_.size();
            return 0;
        }
        uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v = v << 8 | bytes_[at_++];
        return v;
    }
    std::span<const uint8_t> Take(uint64_t n)
    {
        if (bytes_.size() - at_ < n) {
            ok_ = false;
            at_ = bytes_.size();
            return {};
        }
        const auto part = bytes_.subspan(at_, static_cast<std::size_t>(n));
        at_ += static_cast<std::size_t>(n);
        return part;
    }
    std::size_t Position() const { return at_; }

private:
    std::span<const uint8_t> bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

struct Box {
    std::string_view type;
    std::span<const uint8_t> body;
};

// The next box of a run of boxes; false at the end or on a box that does
// not fit its parent.
bool NextBox(BoxReader& r, Box& box)
{
    if (r.AtEnd())
        return false;
    const std::size_t start = r.Position();
    uint64_t size = r.Uint(4);
    const auto type = r.Take(4);
    if (size == 1)
        size = r.Uint(8);
    const std::size_t header = r.Position() - start;
    if (!r.Ok() || size < header)
        return false;
    box.type = std::string_view(reinterpret_cast<const char*>(type.data()), 4);
    box.body = r.Take(size - header);
    return r.Ok();
}

std::optional<std::span<const uint8_t>> Child(std::span<const uint8_t> boxes, std::string_view type)
{
    BoxReader r(boxes);
    Box box;
    while (NextBox(r, box))
        if (box.type == type)
            return box.body;
    return std::nullopt;
}

struct Meta {
    uint32_t primary = 0;
    std::map<uint32_t, std::string_view> types;            // item -> its type
    std::map<uint32_t, std::vector<uint32_t>> tiles;       // grid item -> its "dimg" references
    std::map<uint32_t, std::pair<int64_t, int64_t>> size;  // item -> its "ispe"
    std::set<uint32_t> turned;                             // items with "irot" or "imir"
    std::set<uint32_t> grey;                               // items coded in luma alone
    std::span<const uint8_t> iloc, idat;
};

void ReadItemInfo(std::span<const uint8_t> iinf, Meta& m)
{
    BoxReader r(iinf);
    const auto version = r.Uint(1);
    r.Uint(3);
    r.Uint(version == 0 ? 2 : 4);  // the count; the boxes themselves are read
    BoxReader entries(iinf.subspan(std::min(r.Position(), iinf.size())));
    Box infe;
    while (NextBox(entries, infe)) {
        BoxReader e(infe.body);
        const auto v = e.Uint(1);
        e.Uint(3);
        if (infe.type != "infe" || v < 2)
            continue;
        const auto id = static_cast<uint32_t>(e.Uint(v == 2 ? 2 : 4));
        e.Uint(2);
        const auto type = e.Take(4);
        if (e.Ok())
            m.types[id] = std::string_view(reinterpret_cast<const char*>(type.data()), 4);
    }
}

void ReadReferences(std::span<const uint8_t> iref, Meta& m)
{
    BoxReader r(iref);
    const int idBytes = r.Uint(1) == 0 ? 2 : 4;
    r.Uint(3);
    BoxReader refs(iref.subspan(std::min(r.Position(), iref.size())));
    Box ref;
    while (NextBox(refs, ref)) {
        if (ref.type != "dimg")
            continue;
        BoxReader d(ref.body);
        const auto from = static_cast<uint32_t>(d.Uint(idBytes));
        const auto count = d.Uint(2);
        auto& to = m.tiles[from];
        for (uint64_t i = 0; i < count && d.Ok(); ++i)
            to.push_back(static_cast<uint32_t>(d.Uint(idBytes)));
    }
}

void ReadProperties(std::span<const uint8_t> iprp, Meta& m)
{
    const auto ipco = Child(iprp, "ipco");
    const auto ipma = Child(iprp, "ipma");
    if (!ipco || !ipma)
        return;
    struct Property {
        std::string_view type;
        std::optional<std::pair<int64_t, int64_t>> size;
        bool grey = false;
    };
    std::vector<Property> properties;  // by index, from 1
    BoxReader props(*ipco);
    Box prop;
    while (NextBox(props, prop)) {
        BoxReader p(prop.body);
        p.Uint(4);
        const auto w = static_cast<int64_t>(p.Uint(4)), h = static_cast<int64_t>(p.Uint(4));
        // AV1's configuration has a monochrome bit in its third byte; HEVC's
        // a chroma format (0: luma alone) in its seventeenth.
        const auto& b = prop.body;
        const bool grey = (prop.type == "av1C" && b.size() > 2 && (b[2] & 0x10)) ||
                          (prop.type == "hvcC" && b.size() > 16 && (b[16] & 3) == 0);
        properties.push_back(
            {prop.type, prop.type == "ispe" && p.Ok() ? std::optional(std::pair{w, h}) : std::nullopt, grey});
    }
    BoxReader r(*ipma);
    const auto version = r.Uint(1);
    const bool wide = r.Uint(3) & 1;
    const auto entries = r.Uint(4);
    for (uint64_t i = 0; i < entries && r.Ok(); ++i) {
        const auto id = static_cast<uint32_t>(r.Uint(version < 1 ? 2 : 4));
        const auto count = r.Uint(1);
        for (uint64_t a = 0; a < count && r.Ok(); ++a) {
            const auto index = wide ? r.Uint(2) & 0x7FFF : r.Uint(1) & 0x7F;
            if (index < 1 || index > properties.size())
                continue;
            const Property& property = properties[index - 1];
            if (property.size && !m.size.contains(id))
                m.size[id] = *property.size;
            if (property.type == "irot" || property.type == "imir")
                m.turned.insert(id);
            if (property.grey)
                m.grey.insert(id);
        }
    }
}

// Where the item's data lies: its first extent, in the file or in "idat".
std::span<const uint8_t> ItemData(std::span<const uint8_t> file, std::span<const uint8_t> iloc,
                                  std::span<const uint8_t> idat, uint32_t item)
{
    BoxReader r(iloc);
    const auto version = r.Uint(1);
    r.Uint(3);
    const auto sizes = r.Uint(2);
    const int offsetBytes = static_cast<int>(sizes >> 12 & 15), lengthBytes = static_cast<int>(sizes >> 8 & 15);
    const int baseBytes = static_cast<int>(sizes >> 4 & 15),
              indexBytes = version >= 1 ? static_cast<int>(sizes & 15) : 0;
    const auto count = r.Uint(version < 2 ? 2 : 4);
    for (uint64_t i = 0; i < count && r.Ok(); ++i) {
        const auto id = static_cast<uint32_t>(r.Uint(version < 2 ? 2 : 4));
        const auto method = version >= 1 ? r.Uint(2) & 15 : 0;
        r.Uint(2);
        const auto base = r.Uint(baseBytes);
        const auto extents = r.Uint(2);
        for (uint64_t e = 0; e < extents && r.Ok(); ++e) {
            r.Uint(indexBytes);
            const auto offset = r.Uint(offsetBytes), length = r.Uint(lengthBytes);
            if (id != item || e > 0)
                continue;
            const std::span<const uint8_t> source = method == 1 ? idat : file;
            const uint64_t at = base + offset;
            if (method > 1 || at < base || at > source.size())
                return {};
            return source.subspan(
                static_cast<std::size_t>(at),
                static_cast<std::size_t>(std::min<uint64_t>(length ? length : source.size() - at, source.size() - at)));
        }
    }
    return {};
}

// The boxes of the primary picture; nothing when they cannot be read.
std::optional<Meta> ReadMeta(std::span<const uint8_t> file)
{
    const auto meta = Child(file, "meta");
    if (!meta || meta->size() < 4)
        return std::nullopt;
    const auto boxes = meta->subspan(4);  // after the version and flags
    const auto pitm = Child(boxes, "pitm");
    const auto iinf = Child(boxes, "iinf");
    if (!pitm || !iinf)
        return std::nullopt;
    Meta m;
    BoxReader p(*pitm);
    const int idBytes = p.Uint(1) == 0 ? 2 : 4;
    p.Uint(3);
    m.primary = static_cast<uint32_t>(p.Uint(idBytes));
    if (!p.Ok())
        return std::nullopt;
    ReadItemInfo(*iinf, m);
    if (const auto iref = Child(boxes, "iref"))
        ReadReferences(*iref, m);
    if (const auto iprp = Child(boxes, "iprp"))
        ReadProperties(*iprp, m);
    m.iloc = Child(boxes, "iloc").value_or(std::span<const uint8_t>{});
    m.idat = Child(boxes, "idat").value_or(std::span<const uint8_t>{});
    return m;
}

}  // namespace

std::optional<HeifGridCost> ReadHeifGridCost(std::span<const uint8_t> file)
{
    std::optional<Meta> read = ReadMeta(file);
    if (!read || read->types[read->primary] != "grid")
        return std::nullopt;
    Meta& m = *read;
    // The grid's own description: a version, flags (1: 32-bit sizes), the
    // rows and columns less one, the output size.
    BoxReader g(ItemData(file, m.iloc, m.idat, m.primary));
    g.Uint(1);
    const int sizeBytes = g.Uint(1) & 1 ? 4 : 2;
    g.Uint(2);
    HeifGridCost cost;
    cost.OutputWidth = static_cast<int64_t>(g.Uint(sizeBytes));
    cost.OutputHeight = static_cast<int64_t>(g.Uint(sizeBytes));
    if (!g.Ok())
        cost.OutputWidth = cost.OutputHeight = std::numeric_limits<int32_t>::max();
    for (const uint32_t tile : m.tiles[m.primary]) {
        const auto size = m.size.find(tile);
        // A tile of no stated size could be of any size.
        constexpr int64_t kHuge = std::numeric_limits<int64_t>::max() / 2;
        const bool stated = size != m.size.end() && size->second.first <= (int64_t{1} << 30) &&
                            size->second.second <= (int64_t{1} << 30);
        const int64_t pixels = stated ? size->second.first * size->second.second : kHuge;
        cost.TilePixels = std::min(cost.TilePixels + pixels, kHuge);
        ++cost.Tiles;
    }
    return cost;
}

bool HeifGridWithinLimits(std::span<const uint8_t> file)
{
    const auto grid = ReadHeifGridCost(file);
    return !grid || (image_limits::Acceptable(grid->OutputWidth, grid->OutputHeight) && grid->Tiles > 0 &&
                     grid->TilePixels <= image_limits::MaxPixels());
}

bool HeifPrimaryTurnsItself(std::span<const uint8_t> file)
{
    const std::optional<Meta> m = ReadMeta(file);
    return m && m->turned.contains(m->primary);
}

bool HeifPrimaryIsMonochrome(std::span<const uint8_t> file)
{
    std::optional<Meta> m = ReadMeta(file);
    if (!m)
        return false;
    const auto& tiles = m->tiles[m->primary];
    return m->grey.contains(m->types[m->primary] == "grid" && !tiles.empty() ? tiles.front() : m->primary);
}
