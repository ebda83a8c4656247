// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/dynamic/timed_xml_format.h"

#include "base/translatable.h"
#include "image/formats/dynamic/dynamic_wallpaper.h"

#include <string_view>

namespace {

// The root element is <background>: after a byte-order mark, white space,
// the XML declaration and comments.
bool IsTimedXml(std::span<const uint8_t> head, uint64_t)
{
    std::string_view text(reinterpret_cast<const char*>(head.data()), head.size());
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    for (;;) {
        const size_t start = text.find_first_not_of(" \t\r\n");
        if (start == std::string_view::npos) {
            return false;
        }
        text.remove_prefix(start);
        std::string_view end;
        if (text.substr(0, 2) == "<?") {
            end = "?>";
        } else if (text.substr(0, 4) == "<!--") {
            end = "-->";
        } else {
            break;
        }
        const size_t close = text.find(end);
        if (close == std::string_view::npos) {
            return false;
        }
        text.remove_prefix(close + end.size());
    }
    constexpr std::string_view kRoot = "<background";
    if (text.size() <= kRoot.size() || text.substr(0, kRoot.size()) != kRoot) {
        return false;
    }
    const char after = text[kRoot.size()];
    return after == '>' || after == '/' || after == ' ' || after == '\t' || after == '\r' || after == '\n';
}

ImageRead Decode(const ImageFile& file, const ReadOptions& options)
{
    const DynamicWallpaperRead read = ReadDynamicWallpaper(file);
    if (!file.Ok()) {
        return ImageRead::Failed(OpenFailureOf(file), "XML: cannot read the file");
    }
    if (!read.Dynamic) {
        return ImageRead::Failed(ReadFailure::NotValid, "XML: not a timed background");
    }
    if (!read.Wallpaper) {
        return ImageRead::Failed(ReadFailure::NotValid, "XML: " + read.Reason);
    }
    return DynamicPictureAt(*read.Wallpaper, CurrentDynamicMoment(), options.Hint);
}

constexpr FileExtension kExtensions[]{{"xml", false}};

}  // namespace

const ImageFormat kTimedXmlFormat{"timed XML background",
                                  IsTimedXml,
                                  kExtensions,
                                  QT_TRANSLATE_NOOP("Messages", "このXMLは読み込めません"),
                                  Decode,
                                  true};
