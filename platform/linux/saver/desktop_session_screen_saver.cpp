// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/saver/desktop_session_screen_saver.h"

#include "platform/linux/desktop/desktop_factory.h"
#include "platform/linux/saver/sway_screen_saver.h"
#include "platform/linux/shared/dbus_async_call.h"
#include "platform/linux/shared/desktop_log.h"
#include "platform/linux/sway/sway_ipc.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStringList>

// Qt's "signals" keyword would otherwise rename a GIO field.
#undef signals
#include <gio/gio.h>

#include <cstdlib>
#include <iterator>
#include <memory>
#include <span>
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
const QString kGnomeService = QStringLiteral("org.gnome.SessionManager");
constexpr std::uint32_t kInhibitIdle = 8;  // GNOME's flag: the session is not marked idle
constexpr int kCallTimeoutMs = 2000;

// A service that holds the saver off for as long as its cookie is not given back.
struct InhibitorService {
    const char* service;
    const char* path;
    const char* interface;
    const char* release;  // the method that gives the cookie back
    bool gnome;           // GNOME's call, with its application id and flags
};

constexpr InhibitorService kGnomeInhibitors[] = {
    {"org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager", "Uninhibit", true},
};
// XFCE without its own saver offers only the power manager's.
constexpr InhibitorService kFreedesktopInhibitors[] = {
    {"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver", "UnInhibit", false},
    {"org.freedesktop.PowerManagement", "/org/freedesktop/PowerManagement/Inhibit",
     "org.freedesktop.PowerManagement.Inhibit", "UnInhibit", false},
};

struct SaverToStart {
    const char* service;
    const char* path;
};
// KDE answers on both freedesktop paths, XFCE's saver on the long one.
constexpr SaverToStart kSaversToStart[] = {
    {"org.gnome.ScreenSaver", "/org/gnome/ScreenSaver"},
    {"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver"},
    {"org.freedesktop.ScreenSaver", "/ScreenSaver"},
};

QDBusMessage MethodCall(const char* service, const char* path, const char* interface, const char* method,
                        const QVariantList& args)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(service), QLatin1String(path),
                                                       QLatin1String(interface), QLatin1String(method));
    call.setArguments(args);
    return call;
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
    void StartNow() override { qCWarning(lcDesktop) << "screen saver: this Wayland session offers no saver to start"; }

private:
    bool told_ = false;
};

}  // namespace

DesktopSessionScreenSaver::DesktopSessionScreenSaver(Kind kind, bool withX11)
    : kind_(kind), withX11_(withX11), calls_(std::make_unique<QObject>())
{}

// The desktop drops an inhibitor when our bus connection ends; saying so
// first keeps a quit and a later start of the program apart.
DesktopSessionScreenSaver::~DesktopSessionScreenSaver()
{
    Release();
}

namespace {

// The kind's inhibitor services, in the order they are asked.
std::span<const InhibitorService> Inhibitors(DesktopSessionScreenSaver::Kind kind)
{
    if (kind == DesktopSessionScreenSaver::Kind::GnomeSession)
        return kGnomeInhibitors;
    return kFreedesktopInhibitors;
}

}  // namespace

// Gives the cookie back without waiting: nothing is left to do with the answer.
void DesktopSessionScreenSaver::Release()
{
    if (!held_)
        return;
    const InhibitorService& s = Inhibitors(kind_)[held_->service];
    QDBusMessage call = MethodCall(s.service, s.path, s.interface, s.release, {held_->cookie});
    call.setAutoStartService(false);
    QDBusConnection::sessionBus().send(call);
    held_.reset();
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

// Off while an inhibitor is held, or asked for and still wanted: the check
// mark shows what was asked until the answer says otherwise. The X server's
// own timeout says nothing here: XFCE's power manager blanks by itself and
// sets it to 0.
bool DesktopSessionScreenSaver::IsActive()
{
    const bool off = held_ || (asking_ && wanted_);
    if (kind_ == Kind::Freedesktop)
        return !off && !(withX11_ && x11_.Suspended());
    return !off && !IdleDelaySwitchedOff();
}

void DesktopSessionScreenSaver::SetActive(bool active)
{
    if (kind_ == Kind::Freedesktop && withX11_)
        x11_.SetActive(active);
    wanted_ = !active;
    if (active) {
        Release();
        return;
    }
    if (held_ || asking_)
        return;
    AskForInhibitor(0);
}

void DesktopSessionScreenSaver::AskForInhibitor(std::size_t service)
{
    const InhibitorService& s = Inhibitors(kind_)[service];
    // The reason the desktop shows for the inhibition, in the windows' language.
    const QString reason = QCoreApplication::translate("ScreenSaver", "ｾｰﾊﾞ停止");
    const QVariantList args = s.gnome ? QVariantList{QStringLiteral("zelvaro"), 0u, reason, kInhibitIdle}
                                      : QVariantList{QStringLiteral("Zelvaro"), reason};
    asking_ = true;
    CallWithoutWaiting(MethodCall(s.service, s.path, s.interface, "Inhibit", args), kCallTimeoutMs, calls_.get(),
                       [this, service](const QDBusMessage& reply) { InhibitorAnswered(service, reply); });
}

void DesktopSessionScreenSaver::InhibitorAnswered(std::size_t service, const QDBusMessage& reply)
{
    asking_ = false;
    const std::span<const InhibitorService> services = Inhibitors(kind_);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        held_ = Held{service, reply.arguments().constFirst().toUInt()};
        if (!wanted_)  // switched back on while the answer was due
            Release();
        return;
    }
    if (!wanted_)
        return;
    if (service + 1 < services.size()) {
        AskForInhibitor(service + 1);
        return;
    }
    QStringList asked;
    for (const InhibitorService& s : services)
        asked << QLatin1String(s.service);
    if (kind_ == Kind::Freedesktop && withX11_ && x11_.Suspended())
        qCWarning(lcDesktop).noquote()
            << "screen saver: no inhibitor service answered (" + asked.join(", ") +
                   "): only the X server's saver is held off; a running screen saver or power "
                   "manager of the desktop would hold its own";
    else
        qCWarning(lcDesktop).noquote()
            << "screen saver: no inhibitor service answered (" + asked.join(", ") +
                   "): the desktop may still blank the screen; a running screen saver or power "
                   "manager of the desktop would hold it off";
}

void DesktopSessionScreenSaver::StartNow()
{
    StartWith(kind_ == Kind::GnomeSession ? 0 : 1);
}

void DesktopSessionScreenSaver::StartWith(std::size_t step)
{
    if (step >= std::size(kSaversToStart)) {
        if (withX11_)
            x11_.StartNow();
        else
            qCWarning(lcDesktop) << "screen saver: the desktop offers no saver to start";
        return;
    }
    const SaverToStart& saver = kSaversToStart[step];
    CallWithoutWaiting(MethodCall(saver.service, saver.path, saver.service, "SetActive", {true}), kCallTimeoutMs,
                       calls_.get(), [this, step](const QDBusMessage& reply) {
                           if (reply.type() != QDBusMessage::ReplyMessage)
                               StartWith(step + 1);
                       });
}

std::unique_ptr<ScreenSaver> MakeScreenSaver()
{
    const std::string sway = SwayIpc::SessionSocket();
    if (!sway.empty()) {
        qCInfo(lcDesktop) << "screen saver: sway's idle inhibitor";
        return std::make_unique<SwayScreenSaver>(sway);
    }
    const bool wayland = CurrentSession().wayland;
    if (const auto kind = DesktopSessionScreenSaver::Detect()) {
        const char* service = *kind == DesktopSessionScreenSaver::Kind::GnomeSession
                                  ? "org.gnome.SessionManager"
                                  : "org.freedesktop.ScreenSaver or PowerManagement";
        qCInfo(lcDesktop).nospace() << "screen saver: the desktop's inhibitor (" << service << ")"
                                    << (wayland ? "" : " and the X server's saver");
        return std::make_unique<DesktopSessionScreenSaver>(*kind, !wayland);
    }
    if (wayland)
        return std::make_unique<UnavailableScreenSaver>();
    qCInfo(lcDesktop) << "screen saver: the X server's saver";
    return std::make_unique<X11ScreenSaver>();
}

}  // namespace platform
