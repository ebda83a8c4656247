// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/colour/colour_management.h"

#include "image/colour/rgb_tables.h"
#include "image/formats/two_threads.h"

#include <lcms2.h>

#include <algorithm>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

struct ProfileCloser {
    void operator()(void* p) const { cmsCloseProfile(p); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;

// One source's conversion to sRGB: by tables where the source allows it,
// else by Little CMS. Made without Little CMS's one-pixel cache, it may run
// on several threads at once.
class Conversion {
public:
    Conversion(cmsHTRANSFORM transform, std::unique_ptr<const RgbTables> tables, bool greyInput)
        : transform_(transform), tables_(std::move(tables)), greyInput_(greyInput)
    {}
    ~Conversion() { cmsDeleteTransform(transform_); }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;
    // `pixels` pixels converted to three bytes each, blue first; `from` may
    // be `to` when the source pixels are three bytes too.
    void Run(const uint8_t* from, uint8_t* to, int pixels) const
    {
        if (tables_)
            tables_->Run(from, to, pixels);
        else
            cmsDoTransform(transform_, from, to, static_cast<cmsUInt32Number>(pixels));
    }
    // True for a grey profile: only the first of each pixel's bytes is read.
    bool GreyInput() const { return greyInput_; }

private:
    cmsHTRANSFORM transform_;
    std::unique_ptr<const RgbTables> tables_;
    bool greyInput_;
};

void Silent(cmsContext, cmsUInt32Number, const char*)
{}

// The sRGB curve as Little CMS's parametric type 4 gives it.
cmsToneCurve* SrgbCurve()
{
    const cmsFloat64Number params[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    return cmsBuildParametricToneCurve(nullptr, 4, params);
}

// The source profile: the embedded one, or one made from the format's tags.
Profile SourceProfile(const ColourTag& tag)
{
    if (!tag.Icc.empty())
        return Profile(cmsOpenProfileFromMem(tag.Icc.data(), static_cast<cmsUInt32Number>(tag.Icc.size())));
    const Chromaticities c = tag.Primaries.value_or(Chromaticities{0.3127, 0.3290, 0.64, 0.33, 0.30, 0.60, 0.15, 0.06});
    const cmsCIExyY white{c.WhiteX, c.WhiteY, 1.0};
    const cmsCIExyYTRIPLE primaries{{c.RedX, c.RedY, 1.0}, {c.GreenX, c.GreenY, 1.0}, {c.BlueX, c.BlueY, 1.0}};
    cmsToneCurve* curve = tag.Curve == Transfer::Gamma    ? cmsBuildGamma(nullptr, tag.Exponent)
                          : tag.Curve == Transfer::Linear ? cmsBuildGamma(nullptr, 1.0)
                                                          : SrgbCurve();
    if (!curve)
        return Profile(nullptr);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    Profile made(cmsCreateRGBProfile(&white, &primaries, curves));
    cmsFreeToneCurve(curve);
    return made;
}

// True unless the conversion makes one of sRGB's channels the same for
// every colour: a profile whose curve or primaries are damaged (a gamma of
// 0, parameters that give no number, primaries at zero) reads as a profile
// and turns every picture into one flat colour. Such a profile is taken as
// unreadable.
bool Sound(const Conversion& conversion)
{
    std::vector<uint8_t> probe;
    for (int b = 0; b < 256; b += 51)
        for (int g = 0; g < 256; g += 51)
            for (int r = 0; r < 256; r += 51)
                probe.insert(probe.end(), {static_cast<uint8_t>(b), static_cast<uint8_t>(g), static_cast<uint8_t>(r)});
    std::vector<uint8_t> out(probe.size());
    conversion.Run(probe.data(), out.data(), static_cast<int>(probe.size() / 3));
    for (size_t c = 0; c < 3; ++c) {
        bool varies = false;
        for (size_t i = c; i < out.size() && !varies; i += 3)
            varies = out[i] != out[c];
        if (!varies)
            return false;
    }
    return true;
}

// The pixels a conversion starts from: as decoded (three bytes, blue first,
// or grey in the first of three), or CMYK as Adobe's JPEG files hold it.
enum class Source { Decoded, InvertedCmyk };

std::shared_ptr<const Conversion> MakeConversion(const ColourTag& tag, Source kind)
{
    Profile source = SourceProfile(tag);
    if (!source)
        return nullptr;
    const cmsColorSpaceSignature space = cmsGetColorSpace(source.get());
    cmsUInt32Number in = 0;
    if (kind == Source::InvertedCmyk)
        in = space == cmsSigCmykData ? TYPE_CMYK_8_REV : 0;
    else if (space == cmsSigRgbData)
        in = TYPE_BGR_8;
    else if (space == cmsSigGrayData)  // three equal bytes: the first is read
        in = COLORSPACE_SH(PT_GRAY) | CHANNELS_SH(1) | BYTES_SH(1) | EXTRA_SH(2);
    if (in == 0)
        return nullptr;
    const Profile srgb(cmsCreate_sRGBProfile());
    cmsHTRANSFORM transform = srgb ? cmsCreateTransform(source.get(), in, srgb.get(), TYPE_BGR_8, INTENT_PERCEPTUAL,
                                                        cmsFLAGS_NOCACHE)
                                   : nullptr;
    if (!transform)
        return nullptr;
    auto tables = in == TYPE_BGR_8 ? RgbTables::Make(source.get(), transform) : nullptr;
    auto conversion = std::make_shared<const Conversion>(transform, std::move(tables), space == cmsSigGrayData);
    return kind == Source::InvertedCmyk || Sound(*conversion) ? conversion : nullptr;
}

// The tag as a key: two hashes of the profile's bytes and its size (the
// bytes themselves would keep megabytes for each profile), or the tags'
// values.
std::string KeyOf(const ColourTag& tag, Source kind)
{
    if (!tag.Icc.empty()) {
        const std::string_view bytes(reinterpret_cast<const char*>(tag.Icc.data()), tag.Icc.size());
        uint64_t fnv = 14695981039346656037ull;
        for (const char c : bytes)
            fnv = (fnv ^ static_cast<uint8_t>(c)) * 1099511628211ull;
        return (kind == Source::InvertedCmyk ? "cmyk:" : "icc:") + std::to_string(bytes.size()) + ":" +
               std::to_string(fnv) + ":" + std::to_string(std::hash<std::string_view>{}(bytes));
    }
    std::string key = "tags:" + std::to_string(static_cast<int>(tag.Curve)) + ":" + std::to_string(tag.Exponent);
    if (const auto& p = tag.Primaries)
        for (double v : {p->WhiteX, p->WhiteY, p->RedX, p->RedY, p->GreenX, p->GreenY, p->BlueX, p->BlueY})
            key += ":" + std::to_string(v);
    return key;
}

// The conversion for the tag, made on its first use and kept for the few
// most recent sources (a profile that cannot be used is kept as none, so a
// damaged one is read once). A profile larger than every format allows is
// none, and not kept.
std::shared_ptr<const Conversion> ConversionFor(const ColourTag& tag, Source kind = Source::Decoded)
{
    if (tag.Icc.size() > kMostIccBytes)
        return nullptr;
    static std::mutex mutex;
    struct Kept {
        std::string key;
        std::shared_ptr<const Conversion> conversion;
        std::size_t profileBytes;
    };
    static std::list<Kept> kept;
    static std::size_t keptProfileBytes = 0;
    // Each kept conversion is Little CMS's 8-bit table of the profile (it
    // optimises every 8-bit conversion into one), some hundred kilobytes;
    // where it could not, the profile's own tables, as large as the profile.
    // A few are kept, and no more than a few megabytes of profiles.
    constexpr std::size_t kKept = 8, kKeptProfileBytes = std::size_t{8} << 20;
    std::string key = KeyOf(tag, kind);
    const std::lock_guard lock(mutex);
    for (auto it = kept.begin(); it != kept.end(); ++it)
        if (it->key == key) {
            kept.splice(kept.begin(), kept, it);
            return it->conversion;
        }
    static const bool silenced = (cmsSetLogErrorHandler(Silent), true);
    (void)silenced;
    kept.push_front({std::move(key), MakeConversion(tag, kind), tag.Icc.size()});
    keptProfileBytes += tag.Icc.size();
    while (kept.size() > 1 && (kept.size() > kKept || keptProfileBytes > kKeptProfileBytes)) {
        keptProfileBytes -= kept.back().profileBytes;
        kept.pop_back();
    }
    return kept.front().conversion;
}

// True when every pixel (or palette entry) is grey: its three bytes equal.
bool AllGrey(const DibPicture& picture)
{
    if (picture.BitCount != 24)
        return std::all_of(picture.Palette.begin(), picture.Palette.end(),
                           [](const RgbQuad& q) { return q.Blue == q.Green && q.Green == q.Red; });
    for (int y = 0; y < picture.Height; ++y) {
        const uint8_t* p = picture.TopRow(y);
        for (int x = 0; x < picture.Width; ++x, p += 3)
            if (p[0] != p[1] || p[1] != p[2])
                return false;
    }
    return true;
}

// True when the `pixels` pixels (three bytes each) are all `colour`.
bool AllOf(const uint8_t* bgr, int pixels, const uint8_t* colour)
{
    for (int x = 0; x < pixels; ++x, bgr += 3)
        if (bgr[0] != colour[0] || bgr[1] != colour[1] || bgr[2] != colour[2])
            return false;
    return true;
}

// True when the conversion would make the 24-bit picture one colour where
// it is not: what no sound profile does. The converted rows are looked at
// one by one until two colours differ (in the first row, for nearly any
// picture).
bool MakesFlat(const Conversion& conversion, const DibPicture& picture)
{
    const int w = picture.Width;
    std::vector<uint8_t> converted(static_cast<size_t>(w) * 3);
    uint8_t first[3] = {};
    for (int y = 0; y < picture.Height; ++y) {
        conversion.Run(picture.TopRow(y), converted.data(), w);
        if (y == 0)
            std::copy_n(converted.data(), 3, first);
        if (!AllOf(converted.data(), w, first))
            return false;
    }
    for (int y = 0; y < picture.Height; ++y)
        if (!AllOf(picture.TopRow(y), w, picture.TopRow(0)))
            return true;
    return false;
}

}  // namespace

bool ConvertToSrgb(DibPicture& picture, const ColourTag& tag)
{
    if (!tag.Tagged() || picture.Empty() || (picture.BitCount != 24 && picture.Palette.empty()))
        return false;
    const auto conversion = ConversionFor(tag);
    // A grey profile on a colour picture would make it its blue channel: a
    // profile of another kind than the pixels is ignored.
    if (!conversion || (conversion->GreyInput() && !AllGrey(picture)))
        return false;
    if (picture.BitCount != 24) {
        std::vector<uint8_t> bgr;
        for (const RgbQuad& q : picture.Palette)
            bgr.insert(bgr.end(), {q.Blue, q.Green, q.Red});
        std::vector<uint8_t> converted(bgr.size());
        const int entries = static_cast<int>(picture.Palette.size());
        conversion->Run(bgr.data(), converted.data(), entries);
        if (AllOf(converted.data(), entries, converted.data()) && !AllOf(bgr.data(), entries, bgr.data()))
            return false;
        for (std::size_t i = 0; i < picture.Palette.size(); ++i)
            picture.Palette[i] = {converted[i * 3], converted[i * 3 + 1], converted[i * 3 + 2], 0};
        return true;
    }
    if (MakesFlat(*conversion, picture))
        return false;
    const auto rows = [&](int from, int to) {
        for (int y = from; y < to; ++y)
            conversion->Run(picture.TopRow(y), picture.TopRow(y), picture.Width);
        return true;
    };
    // A large picture is shared between two threads.
    constexpr int64_t kWorthAThread = 1 << 18;
    const int half = picture.Height / 2;
    if (int64_t{picture.Width} * picture.Height >= kWorthAThread)
        RunOnTwoThreads([&] { return rows(0, half); }, [&] { return rows(half, picture.Height); });
    else
        rows(0, picture.Height);
    return true;
}

RowConversion RowConversionFor(const ColourTag& tag)
{
    auto conversion = tag.Tagged() ? ConversionFor(tag) : nullptr;
    if (!conversion || conversion->GreyInput())
        return {};
    return [conversion](uint8_t* bgr, int pixels) { conversion->Run(bgr, bgr, pixels); };
}

CmykRowConversion CmykConversionFor(std::span<const uint8_t> icc)
{
    ColourTag tag;
    tag.Icc.assign(icc.begin(), icc.end());
    if (auto conversion = icc.empty() ? nullptr : ConversionFor(tag, Source::InvertedCmyk))
        return [conversion](const uint8_t* cmyk, uint8_t* bgr, int pixels) { conversion->Run(cmyk, bgr, pixels); };
    return [](const uint8_t* s, uint8_t* d, int pixels) {
        for (int x = 0; x < pixels; ++x, s += 4, d += 3) {
            const unsigned k = s[3];
            d[0] = static_cast<uint8_t>(s[2] * k / 255);
            d[1] = static_cast<uint8_t>(s[1] * k / 255);
            d[2] = static_cast<uint8_t>(s[0] * k / 255);
        }
    };
}
