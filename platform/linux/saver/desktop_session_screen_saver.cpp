// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/saver/desktop_session_screen_saver.h"

// GIO first: Qt's "signals" keyword would otherwise rename a GIO field.
#include <gio/gio.h>

#include "platform/linux/desktop/desktop_factory.h"
#include "platform/linux/shared/desktop_log.h"
#include "platform/linux/sway/sway_ipc.h"
#include "platform/linux/saver/sway_screen_saver.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include <cstdlib>
#include <memory>
#include <string>

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

// The desktop's own idle delay, read only: 0 ("never") means the user has
// switched blanking off in the desktop's settings.
bool IdleDelaySwitchedOff()
{
    if (!HasSchemaKey(kSessionSchema, kIdleDelay))
        return false;
    SettingsPtr settings(g_settings_new(kSessionSchema));
    return g_settings_get_uint(settings.get(), kIdleDelay) == 0;
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
const QString kGnomeService = QStringLiteral("org.gnome.SessionManager");
const QString kGnomePath = QStringLiteral("/org/gnome/SessionManager");
constexpr std::uint32_t kInhibitIdle = 8;  // GNOME's flag: the session is not marked idle
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

bool ServiceRuns(const QString& name)
{
    const QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    return bus && bus->isServiceRegistered(name).value();
}

// A Wayland session with no service to ask: the X server's saver of Xwayland
// blanks nothing, so the switch cannot act and says so.
class UnavailableScreenSaver : public ScreenSaver {
public:
    bool IsActive() override { return true; }
    void SetActive(bool active) override
    {
        if (!active && !told_)
            qCWarning(lcDesktop) << "screen saver: this Wayland session offers no idle inhibitor to hold";
        told_ = true;
    }
    void StartNow() override {}

private:
    bool told_ = false;
};

}  // namespace

DesktopSessionScreenSaver::DesktopSessionScreenSaver(Kind kind, bool withX11) : kind_(kind), withX11_(withX11)
{}

// The desktop drops an inhibitor when our bus connection ends; saying so
// first keeps a quit and a later start of the program apart.
DesktopSessionScreenSaver::~DesktopSessionScreenSaver()
{
    Release();
}

void DesktopSessionScreenSaver::Release()
{
    if (!cookie_)
        return;
    if (kind_ == Kind::GnomeSession)
        Call(kGnomeService, kGnomePath, QStringLiteral("Uninhibit"), {*cookie_});
    else
        Call(kFdoService, kFdoPath, QStringLiteral("UnInhibit"), {*cookie_});
    cookie_.reset();
}

std::optional<DesktopSessionScreenSaver::Kind> DesktopSessionScreenSaver::Detect()
{
    if (DesktopIs("KDE:XFCE"))
        return Kind::Freedesktop;
    if (ServiceRuns(kGnomeService))
        return Kind::GnomeSession;
    // Others that offer it (hypridle, ...).
    if (ServiceRuns(kFdoService))
        return Kind::Freedesktop;
    return std::nullopt;
}

bool DesktopSessionScreenSaver::IsActive()
{
    if (kind_ == Kind::Freedesktop)
        return (!withX11_ || x11_.IsActive()) && !cookie_;
    return !cookie_ && !IdleDelaySwitchedOff();
}

void DesktopSessionScreenSaver::SetActive(bool active)
{
    if (kind_ == Kind::Freedesktop && withX11_)
        x11_.SetActive(active);
    if (active) {
        Release();
        return;
    }
    if (cookie_)
        return;
    // The reason the desktop shows for the inhibition, in the windows' language.
    const QString reason = QCoreApplication::translate("ScreenSaver", "ｾｰﾊﾞ停止");
    const QDBusMessage reply = kind_ == Kind::GnomeSession ? Call(kGnomeService, kGnomePath, QStringLiteral("Inhibit"),
                                                                  {QStringLiteral("zelvaro"), 0u, reason, kInhibitIdle})
                                                           : Call(kFdoService, kFdoPath, QStringLiteral("Inhibit"),
                                                                  {QStringLiteral("Zelvaro"), reason});
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        cookie_ = reply.arguments().constFirst().toUInt();
}

void DesktopSessionScreenSaver::StartNow()
{
    if (kind_ == Kind::GnomeSession &&
        CallSetActive(QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("/org/gnome/ScreenSaver")))
        return;
    // KDE answers on both paths, XFCE's saver on the long one.
    if (CallSetActive(kFdoService, kFdoPath) || CallSetActive(kFdoService, QStringLiteral("/ScreenSaver")))
        return;
    x11_.StartNow();
}

std::unique_ptr<ScreenSaver> MakeScreenSaver()
{
    const std::string sway = SwayIpc::SessionSocket();
    if (!sway.empty())
        return std::make_unique<SwayScreenSaver>(sway);
    const bool wayland = CurrentSession().wayland;
    if (const auto kind = DesktopSessionScreenSaver::Detect())
        return std::make_unique<DesktopSessionScreenSaver>(*kind, !wayland);
    if (wayland)
        return std::make_unique<UnavailableScreenSaver>();
    return std::make_unique<X11ScreenSaver>();
}

}  // namespace platform
