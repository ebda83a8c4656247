// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/desktop_session_screen_saver.h"

// GIO first: Qt's "signals" keyword would otherwise rename a GIO field.
#include <gio/gio.h>

#include <QCoreApplication>
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

const QString kFdoService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kFdoPath = QStringLiteral("/org/freedesktop/ScreenSaver");
constexpr int kCallTimeoutMs = 2000;

QDBusMessage Call(const QString& service, const QString& path, const QString& method, const QVariantList& args)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, service, method);
    call.setArguments(args);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, kCallTimeoutMs);
}

bool CallSetActive(const QString& service, const QString& path)
{
    return Call(service, path, QStringLiteral("SetActive"), {true}).type() == QDBusMessage::ReplyMessage;
}

}  // namespace

DesktopSessionScreenSaver::DesktopSessionScreenSaver(Kind kind) : kind_(kind)
{}

// The desktop drops an inhibition when our bus connection ends; saying so
// first keeps a quit and a later start of the program apart.
DesktopSessionScreenSaver::~DesktopSessionScreenSaver()
{
    if (cookie_)
        Call(kFdoService, kFdoPath, QStringLiteral("UnInhibit"), {*cookie_});
}

std::optional<DesktopSessionScreenSaver::Kind> DesktopSessionScreenSaver::Detect()
{
    if (DesktopIs("GNOME:Unity:Budgie:Pantheon:ubuntu") && HasSchemaKey(kSessionSchema, kIdleDelay))
        return Kind::GnomeSettings;
    if (DesktopIs("KDE:XFCE"))
        return Kind::Freedesktop;
    return std::nullopt;
}

bool DesktopSessionScreenSaver::IsActive()
{
    if (kind_ == Kind::Freedesktop)
        return x11_.IsActive() && !cookie_;
    SettingsPtr settings(g_settings_new(kSessionSchema));
    return g_settings_get_uint(settings.get(), kIdleDelay) != 0;
}

void DesktopSessionScreenSaver::SetActive(bool active)
{
    x11_.SetActive(active);
    if (kind_ == Kind::Freedesktop) {
        if (active && cookie_) {
            Call(kFdoService, kFdoPath, QStringLiteral("UnInhibit"), {*cookie_});
            cookie_.reset();
        } else if (!active && !cookie_) {
            const QDBusMessage reply = Call(
                kFdoService, kFdoPath, QStringLiteral("Inhibit"),
                {QStringLiteral("Zelvaro"), QCoreApplication::translate("ScreenSaver", "ｾｰﾊﾞ停止")});
            if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
                cookie_ = reply.arguments().constFirst().toUInt();
        }
        return;
    }
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
    if (kind_ == Kind::GnomeSettings &&
        CallSetActive(QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("/org/gnome/ScreenSaver")))
        return;
    // KDE answers on both paths, XFCE's saver on the long one.
    if (CallSetActive(kFdoService, kFdoPath) || CallSetActive(kFdoService, QStringLiteral("/ScreenSaver")))
        return;
    x11_.StartNow();
}

std::unique_ptr<ScreenSaver> MakeScreenSaver()
{
    if (const auto kind = DesktopSessionScreenSaver::Detect())
        return std::make_unique<DesktopSessionScreenSaver>(*kind);
    return std::make_unique<X11ScreenSaver>();
}

}  // namespace platform
