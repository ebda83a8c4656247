#include "platform/linux/desktop_session_screen_saver.h"

// GIO first: Qt's "signals" keyword would otherwise rename a GIO field.
#include <gio/gio.h>

#include <QDBusConnection>
#include <QDBusMessage>

#include <cstdlib>
#include <memory>

namespace platform {

namespace {

constexpr const char* kSessionSchema = "org.gnome.desktop.session";
constexpr const char* kIdleDelay = "idle-delay";

struct GObjectUnref {
    void operator()(gpointer p) const { g_object_unref(p); }
};
using SettingsPtr = std::unique_ptr<GSettings, GObjectUnref>;

bool HasSchemaKey(const char* schemaId, const char* key)
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return false;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, schemaId, TRUE);
    if (!schema)
        return false;
    const bool has = g_settings_schema_has_key(schema, key);
    g_settings_schema_unref(schema);
    return has;
}

bool DesktopIs(const char* names)
{
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    if (!desktop)
        return false;
    const std::string list = std::string(":") + desktop + ":";
    std::string wanted = names;
    for (std::size_t start = 0; start <= wanted.size();) {
        std::size_t end = wanted.find(':', start);
        if (end == std::string::npos)
            end = wanted.size();
        if (list.find(":" + wanted.substr(start, end - start) + ":") != std::string::npos)
            return true;
        start = end + 1;
    }
    return false;
}

bool CallSetActive(const char* service, const char* path, const char* interface)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(service), QString::fromLatin1(path),
                                                       QString::fromLatin1(interface), QStringLiteral("SetActive"));
    call << true;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 2000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace

DesktopSessionScreenSaver::DesktopSessionScreenSaver(bool gnomeSettings) : gnome_(gnomeSettings) {}

bool DesktopSessionScreenSaver::Available(bool& gnomeSettings)
{
    gnomeSettings = DesktopIs("GNOME:Unity:Budgie:Pantheon:ubuntu") && HasSchemaKey(kSessionSchema, kIdleDelay);
    return gnomeSettings || DesktopIs("KDE");
}

bool DesktopSessionScreenSaver::IsActive()
{
    if (!gnome_)
        return x11_.IsActive();
    SettingsPtr settings(g_settings_new(kSessionSchema));
    return g_settings_get_uint(settings.get(), kIdleDelay) != 0;
}

void DesktopSessionScreenSaver::SetActive(bool active)
{
    x11_.SetActive(active);
    if (!gnome_)
        return;
    SettingsPtr settings(g_settings_new(kSessionSchema));
    const unsigned delay = g_settings_get_uint(settings.get(), kIdleDelay);
    if (active == (delay != 0))
        return;
    if (!active)
        savedDelay_ = delay;
    g_settings_set_uint(settings.get(), kIdleDelay, active ? savedDelay_ : 0);
    g_settings_sync();
}

void DesktopSessionScreenSaver::StartNow()
{
    if (gnome_ && CallSetActive("org.gnome.ScreenSaver", "/org/gnome/ScreenSaver", "org.gnome.ScreenSaver"))
        return;
    if (CallSetActive("org.freedesktop.ScreenSaver", "/ScreenSaver", "org.freedesktop.ScreenSaver"))
        return;
    x11_.StartNow();
}

std::unique_ptr<ScreenSaver> MakeScreenSaver()
{
    bool gnome = false;
    if (DesktopSessionScreenSaver::Available(gnome))
        return std::make_unique<DesktopSessionScreenSaver>(gnome);
    return std::make_unique<X11ScreenSaver>();
}

}  // namespace platform
