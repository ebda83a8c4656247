// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/desktop/sway_desktop.h"

#include "platform/linux/desktop/desktop_bitmap.h"
#include "platform/linux/shared/desktop_log.h"
#include "platform/linux/system/process_scan.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <algorithm>
#include <climits>
#include <cmath>

namespace platform {

SwayDesktop::SwayDesktop(const Registry& registry, std::string copyDir, std::string socketPath)
    : registry_(registry), copies_(std::move(copyDir), DesktopWallpaperCopies::Format::Png), ipc_(std::move(socketPath))
{}

std::optional<std::string> SwayDesktop::Command(const std::string& picture, WallpaperMode mode,
                                                const std::string& output)
{
    // The path and the name go in double quotes; one that holds a quote, a
    // backslash or a line break cannot be said safely.
    const char* unsafe = "\"\\\n\r";
    if (picture.find_first_of(unsafe) != std::string::npos || output.find_first_of(unsafe) != std::string::npos ||
        output.empty())
        return std::nullopt;
    const std::string name = output == "*" ? output : "\"" + output + "\"";
    return "output " + name + " bg \"" + picture + "\" " + DesktopNamesFor(mode).sway;
}

std::vector<SwayDesktop::Output> SwayDesktop::ParseOutputs(const std::string& json)
{
    std::vector<Output> outputs;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json));
    for (const QJsonValue& v : doc.array()) {
        const QJsonObject o = v.toObject();
        const QJsonObject rect = o.value(QStringLiteral("rect")).toObject();
        const double scale = o.value(QStringLiteral("scale")).toDouble(1.0);
        const auto pixels = [&](const char* key) {
            return static_cast<int>(std::lround(rect.value(QLatin1String(key)).toDouble() * (scale > 0 ? scale : 1.0)));
        };
        Output out{o.value(QStringLiteral("name")).toString().toStdString(), pixels("x"), pixels("y"), pixels("width"),
                   pixels("height")};
        if (o.value(QStringLiteral("active")).toBool() && !out.name.empty() && out.width > 0 && out.height > 0)
            outputs.push_back(std::move(out));
    }
    return outputs;
}

Desktop::Result SwayDesktop::SetWallpaper(const std::string& bmpPath)
{
    if (CurrentLayout() == Layout::Composed)
        return SetPerOutput(bmpPath);
    Result failure = Result::Done;
    const std::optional<std::string> copy = copies_.MakeChecked(bmpPath, failure);
    if (!copy)
        return failure;
    return Show(Command(*copy, WallpaperModeOf(registry_)), {*copy});
}

Desktop::Result SwayDesktop::SetPerOutput(const std::string& bmpPath)
{
    DesktopBitmap whole;
    if (!whole.Load(bmpPath))
        return Result::Unreadable;
    const std::optional<std::string> json = ipc_.Outputs();
    const std::vector<Output> outputs = json ? ParseOutputs(*json) : std::vector<Output>{};
    // The composed picture starts at the outputs' top-left corner.
    int left = INT_MAX, top = INT_MAX;
    for (const Output& o : outputs)
        left = std::min(left, o.x), top = std::min(top, o.y);
    std::vector<std::string> parts;
    std::optional<std::string> commands = outputs.empty() ? std::nullopt : std::optional<std::string>("");
    for (const Output& o : outputs) {
        // Each part is exactly its output's size: "stretch" shows it as it is.
        const std::optional<std::string> part = copies_.MakePart(whole, o.x - left, o.y - top, o.width, o.height);
        const std::optional<std::string> command = part ? Command(*part, WallpaperMode::Stretch, o.name) : std::nullopt;
        if (part)
            parts.push_back(*part);
        if (!command || !commands) {
            commands.reset();
            break;
        }
        *commands += (commands->empty() ? "" : "; ") + *command;
    }
    return Show(commands, parts);
}

Desktop::Result SwayDesktop::Show(const std::optional<std::string>& command, const std::vector<std::string>& copies)
{
    const char* why = nullptr;
    if (!command)
        why = "its path or an output's name cannot be handed to sway, or sway named no output";
    else if (!ipc_.Run(*command))
        why = "sway refused the background or did not answer";
    const auto allSeen = [&] {
        return std::all_of(copies.begin(), copies.end(),
                           [](const std::string& copy) { return !ProcessesRunningWith(copy).empty(); });
    };
    bool seen = false;
    for (int waited = 0; !why && waited < kSettleMs && !seen; waited += 50) {
        seen = allSeen();
        if (!seen)
            QThread::msleep(50);
    }
    if (!why && !seen)
        why = "sway started no swaybg for it (is swaybg installed?)";
    if (why) {
        if (!told_)
            qCWarning(lcDesktop) << "wallpaper: not shown on sway:" << why;
        told_ = true;
        for (const std::string& copy : copies)
            copies_.Discard(copy);
        return Result::Unavailable;
    }
    told_ = false;
    copies_.Shown(copies);
    return Result::Done;
}

}  // namespace platform
