// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/dynamic/dynamic_heif.h"

#include "image/formats/dynamic/base64_text.h"
#include "image/formats/dynamic/dynamic_limits.h"
#include "image/formats/dynamic/dynamic_plist.h"
#include "image/formats/dynamic/dynamic_xmp.h"
#include "image/formats/heif/heif_library.h"

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// Metadata blocks of the primary picture looked at; a photo has two or three.
constexpr int kMaxMetadataBlocks = 64;

// The XMP of the primary picture, or nothing.
std::optional<std::string> PrimaryXmp(const HeifLibrary& heif, heif_context* ctx)
{
    heif_image_handle* raw = nullptr;
    if (heif.context_get_primary_image_handle(ctx, &raw).code != heif_error_Ok || !raw) {
        return std::nullopt;
    }
    const std::unique_ptr<heif_image_handle, decltype(heif.image_handle_release)> handle(raw,
                                                                                         heif.image_handle_release);
    const int count = heif.image_handle_get_number_of_metadata_blocks(handle.get(), "mime");
    if (count <= 0 || count > kMaxMetadataBlocks) {
        return std::nullopt;
    }
    std::vector<heif_item_id> ids(static_cast<size_t>(count));
    const int listed = heif.image_handle_get_list_of_metadata_block_IDs(handle.get(), "mime", ids.data(), count);
    for (int n = 0; n < listed && n < count; ++n) {
        const char* contentType = heif.image_handle_get_metadata_content_type(handle.get(), ids[n]);
        if (!contentType || std::strcmp(contentType, "application/rdf+xml") != 0) {
            continue;
        }
        const size_t size = heif.image_handle_get_metadata_size(handle.get(), ids[n]);
        if (size == 0 || size > static_cast<size_t>(dynamic_limits::kMaxScheduleTextBytes)) {
            continue;
        }
        std::string xmp(size, '\0');
        if (heif.image_handle_get_metadata(handle.get(), ids[n], xmp.data()).code == heif_error_Ok) {
            return xmp;
        }
    }
    return std::nullopt;
}

}  // namespace

DynamicHeifRead ReadDynamicHeif(std::span<const uint8_t> bytes)
{
    DynamicHeifRead out;
    const HeifLibrary* heif = HeifLibrary::Get();
    if (!heif || !heif->HasTopLevelPictures() || bytes.empty()) {
        return out;
    }
    const std::unique_ptr<heif_context, decltype(heif->context_free)> ctx(heif->context_alloc(), heif->context_free);
    if (!ctx || heif->context_read_from_memory_without_copy(ctx.get(), bytes.data(), bytes.size(), nullptr).code !=
                    heif_error_Ok) {
        return out;
    }
    const std::optional<std::string> xmp = PrimaryXmp(*heif, ctx.get());
    if (!xmp) {
        return out;
    }
    const std::optional<XmpSchedule> found = FindScheduleInXmp(*xmp);
    if (!found) {
        return out;
    }
    out.Dynamic = true;
    const std::optional<std::vector<uint8_t>> plist = DecodeBase64(found->Base64);
    if (!plist) {
        out.Read = ScheduleRead::Refused("its schedule is not base64 text");
        return out;
    }
    const int pictures = heif->context_get_number_of_top_level_images(ctx.get());
    out.Read = ReadDynamicPlist(found->Kind, *plist, pictures);
    return out;
}
