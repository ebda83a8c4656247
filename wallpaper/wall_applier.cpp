// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/wall_applier.h"

#include "wallpaper/wall_image.h"

#include <exception>
#include <filesystem>
#include <system_error>

WallWriteRes ChooseWallWriteRes(bool photoCd, bool colorDecSw, int imageBitCount)
{
    if (!colorDecSw)
        return WallWriteRes::AutoMatic;
    return photoCd || imageBitCount > 8 ? WallWriteRes::Color256 : WallWriteRes::AutoMatic;
}

WallApplier::WallApplier(platform::Desktop& desktop, WallConverter& converter, const platform::Clock& clock,
                         WallApplyHost& host, const ClockSettings& settings, WallSchedule& schedule,
                         std::string tempWallFile)
    : desktop_(desktop), converter_(converter), clock_(clock), host_(host), settings_(settings), schedule_(schedule),
      tempWallFile_(std::move(tempWallFile))
{}

WallApplier::Outcome WallApplier::ApplyWallPaper(const std::string& file, Request request)
{
    if (!IsWallImage(file))
        return Outcome::NotImage;
    // The retry loop processes messages, so a drop, a panic click or a tick
    // can ask for another wallpaper while this one is being set. Converting
    // then would replace TempWallFile under the desktop's feet; the request
    // waits instead, and the latest one is applied when this one is done.
    if (busy_) {
        pending_.emplace(file, request);
        return Outcome::Queued;
    }
    busy_ = true;
    Outcome outcome = ApplyOne(file, request);
    while (pending_) {
        const auto next = *pending_;
        pending_.reset();
        ApplyOne(next.first, next.second);
    }
    busy_ = false;
    return outcome;
}

WallApplier::Outcome WallApplier::ApplyOne(const std::string& file, Request request)
{
    host_.BeginBusy();
    // On every way out: the working pictures go (the desktop has its copy by
    // then) and their memory back to the system, and the hourglass ends.
    struct WorkEnd {
        WallApplyHost& host;
        WallConverter& converter;
        ~WorkEnd()
        {
            converter.ReleasePictures();
            host.ReturnFreeMemory();
            host.EndBusy();
        }
    } workEnd{host_, converter_};

    const DibPicture* written = nullptr;
    std::unique_ptr<platform::Desktop::Prepared> early;
    const std::optional<std::string> path = Prepare(file, request, written, early);
    if (!path)
        return Outcome::Failed;

    auto set = [&] { return written ? desktop_.SetWallpaperFrom(*path, *written) : desktop_.SetWallpaper(*path); };
    // The picture went to the desktop while the file was written; should that
    // have failed, the ordinary way below tries again.
    platform::Desktop::Result result = early ? early->Show() : platform::Desktop::Result::Refused;
    early.reset();
    if (result != platform::Desktop::Result::Done)
        result = set();
    if (result == platform::Desktop::Result::Unreadable)
        return Outcome::Failed;
    for (int retries = 0; result == platform::Desktop::Result::Refused && retries < kMaxRetries; ++retries) {
        result = set();
        host_.ProcessPendingEvents();
    }
    // A desktop that keeps refusing, or does not answer at all (no retries
    // then: each would wait for its timeout), is given up silently; the next
    // change is still an interval away, so it is not asked every tick.
    schedule_.Applied(clock_.Now(), settings_.WallInterval);
    return Outcome::Applied;
}

std::optional<std::string> WallApplier::Prepare(const std::string& file, Request request, const DibPicture*& written,
                                                std::unique_ptr<platform::Desktop::Prepared>& early)
{
    const std::string ext = WallExtension(file);
    if (ext == ".BMP" && !converter_.MakesScreenSize())
        return file;
    // The converted bitmap is written beside TempWallFile and renamed into
    // place, so the desktop never reads a half-written picture and a failed
    // conversion leaves the previous one whole.
    const std::string part = tempWallFile_ + ".part";
    std::error_code ec;
    bool ok = false;
    // The desktop takes the picture while the bitmap is written.
    converter_.SetBeforeWrite([&](const DibPicture& picture) { early = desktop_.PrepareFrom(picture); });
    try {
        ok = converter_.ConvertToBmp(file, ext == ".PCD", settings_.ColorDecSw, part);
    } catch (const std::exception& e) {
        // An error while reading or converting ends the attempt; the user is
        // not told, the log is.
        host_.Log("cannot convert " + file + ": " + e.what());
        ok = false;
    }
    converter_.SetBeforeWrite({});
    if (!ok && !converter_.FailureNotice().text.empty())
        host_.ReportFailure(file, converter_.FailureNotice(), request == Request::Rotation);
    if (ok) {
        std::filesystem::rename(part, tempWallFile_, ec);
        if (ec)
            host_.Log("cannot replace " + tempWallFile_ + ": " + ec.message());
    }
    if (!ok || ec) {
        early.reset();  // the wallpaper stays as it was
        std::error_code removed;
        std::filesystem::remove(part, removed);
        return std::nullopt;
    }
    written = converter_.WrittenPicture();
    return tempWallFile_;
}
