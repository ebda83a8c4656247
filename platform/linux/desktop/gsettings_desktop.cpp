// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/desktop/gsettings_desktop.h"

#include "platform/wallpaper_mode.h"

#include <gio/gio.h>

#include <filesystem>

namespace platform {
namespace {

struct Keys {
    const char* schema;
    const char* picture;      // the picture's key
    bool pictureIsUri;        // a file:// URI, or a plain path (MATE)
    const char* pictureDark;  // GNOME 42 and later show this one in dark mode
    const char* options;
};

Keys KeysOf(GSettingsDesktop::Family family)
{
    switch (family) {
    case GSettingsDesktop::Family::Cinnamon:
        return {"org.cinnamon.desktop.background", "picture-uri", true, nullptr, "picture-options"};
    case GSettingsDesktop::Family::Mate:
        return {"org.mate.background", "picture-filename", false, nullptr, "picture-options"};
    case GSettingsDesktop::Family::Gnome: break;
    }
    return {"org.gnome.desktop.background", "picture-uri", true, "picture-uri-dark", "picture-options"};
}

GSettingsSchema* LookupSchema(const char* id)
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    return source ? g_settings_schema_source_lookup(source, id, TRUE) : nullptr;
}

}  // namespace

GSettingsDesktop::GSettingsDesktop(Family family, const Registry& registry, std::string copyDir)
    : family_(family), registry_(registry), copies_(std::move(copyDir), DesktopWallpaperCopies::Format::Png)
{}

std::unique_ptr<GSettingsDesktop> GSettingsDesktop::Create(Family family, const Registry& registry, std::string copyDir)
{
    // g_settings_new ends the process for a schema that is not installed, so
    // the schema is looked up first.
    GSettingsSchema* schema = LookupSchema(KeysOf(family).schema);
    if (!schema)
        return nullptr;
    g_settings_schema_unref(schema);
    return std::unique_ptr<GSettingsDesktop>(new GSettingsDesktop(family, registry, std::move(copyDir)));
}

std::string GSettingsDesktop::Name() const
{
    switch (family_) {
    case Family::Cinnamon: return "cinnamon";
    case Family::Mate: return "mate";
    case Family::Gnome: break;
    }
    return "gnome";
}

Desktop::Result GSettingsDesktop::SetWallpaper(const std::string& bmpPath)
{
    Result failure = Result::Done;
    const std::optional<std::string> copy = copies_.MakeChecked(bmpPath, failure);
    if (!copy)
        return failure;

    const Keys keys = KeysOf(family_);
    GSettingsSchema* schema = LookupSchema(keys.schema);
    if (!schema) {  // removed since the start: another backend may show it
        copies_.Discard(*copy);
        return Result::NotRunning;
    }
    GSettings* settings = g_settings_new_full(schema, nullptr, nullptr);
    std::string picture = *copy;
    if (keys.pictureIsUri) {
        gchar* uri = g_filename_to_uri(copy->c_str(), nullptr, nullptr);
        picture = uri ? uri : "";
        g_free(uri);
    }
    bool ok = !picture.empty();
    ok = ok && g_settings_set_string(settings, keys.options, DesktopNamesFor(ShownMode(registry_)).gnome);
    ok = ok && g_settings_set_string(settings, keys.picture, picture.c_str());
    if (ok && keys.pictureDark && g_settings_schema_has_key(schema, keys.pictureDark))
        ok = g_settings_set_string(settings, keys.pictureDark, picture.c_str());
    g_settings_sync();
    g_object_unref(settings);
    g_settings_schema_unref(schema);
    if (!ok) {  // a key locked down by the administrator stays locked
        copies_.Discard(*copy);
        return Result::Unavailable;
    }
    copies_.Shown(*copy);
    return Result::Done;
}

}  // namespace platform
