// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/wall_applier.h"

#include "base/text_helpers.h"
#include "base/translatable.h"
#include "image/formats/bmp/bmp_format.h"
#include "image/image_format.h"
#include "wallpaper/wall_image.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <new>
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
    return ApplyWallPapers({file}, request);
}

WallApplier::Outcome WallApplier::ApplyWallPapers(const std::vector<std::string>& files, Request request)
{
    // The rotation takes what its listing took by name; a file the user chose
    // (typed, dropped, set as the panic picture) is read by its bytes as well,
    // so "photo" or "photo.txt" that holds a JPEG is shown.
    const auto isImage = [request](const std::string& f) {
        return IsWallImage(f) || (request == Request::User && SniffImageFormat(ImageFile(f)) != nullptr);
    };
    if (files.empty() || !std::all_of(files.begin(), files.end(), isImage))
        return Outcome::NotImage;
    // The retry loop processes messages, so a drop, a panic click or a tick
    // can ask for another wallpaper while this one is being set. Converting
    // then would replace TempWallFile under the desktop's feet; the request
    // waits instead, and the latest one is applied when this one is done.
    if (busy_) {
        pending_.emplace(files, request);
        return Outcome::Queued;
    }
    busy_ = true;
    Outcome outcome = ApplyOne(files, request);
    while (pending_) {
        const auto next = *pending_;
        pending_.reset();
        ApplyOne(next.first, next.second);
    }
    busy_ = false;
    return outcome;
}

WallApplier::Outcome WallApplier::ApplyOne(const std::vector<std::string>& files, Request request)
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
    // A composed picture is the whole screen's: the desktop spans it.
    desktop_.SetLayout(files.size() > 1 ? platform::Desktop::Layout::Composed : platform::Desktop::Layout::AsRegistry);
    bool noMemory = false;
    const std::optional<std::string> path = Prepare(files, request, written, early, noMemory);
    if (!path)
        return noMemory ? Outcome::NoMemory : Outcome::Failed;

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
    if (request != Request::Redraw)
        schedule_.Applied(clock_.Now(), settings_.WallInterval);
    TellDesktopFailure(files.front(), result, request);
    return Outcome::Applied;
}

void WallApplier::TellDesktopFailure(const std::string& file, platform::Desktop::Result result, Request request)
{
    // The desktop's service answered with an error (the platform has logged
    // its words). The user's own request is told every time; the rotation's
    // once, until a wallpaper is shown again, so a desktop that fails for
    // good does not open a box every interval.
    if (result != platform::Desktop::Result::Failed) {
        if (result == platform::Desktop::Result::Done)
            desktopFailureTold_ = false;
        return;
    }
    const bool unattended = request == Request::Rotation;
    if (unattended && desktopFailureTold_)
        return;
    desktopFailureTold_ = desktopFailureTold_ || unattended;
    host_.ReportFailure(
        file,
        {QT_TRANSLATE_NOOP("Messages", "デスクトップが壁紙 %s の表示をエラーで断りました。"
                                       "デスクトップの設定を確かめてください。詳しい理由はログにあります"),
         true, ShownEscaped(file), true},
        unattended);
}

bool WallApplier::Convert(const std::vector<std::string>& files, const ImageFile* single, const ImageFormat* format,
                          const std::string& part, std::string& failed)
{
    failed = files.front();
    if (single)
        return converter_.ConvertToBmp(*single, format, settings_.ColorDecSw, part);
    std::size_t index = 0;
    const bool ok = converter_.ConvertPerMonitor(files, settings_.ColorDecSw, part, index);
    if (!ok && index < files.size())
        failed = files[index];
    return ok;
}

void WallApplier::LogConversionError(const std::vector<std::string>& files, const std::string& failed, Request request,
                                     const std::exception& e)
{
    std::string names;
    for (const std::string& f : files)
        names += (names.empty() ? "" : ", ") + ShownEscaped(f);
    // A name (or a reader's words) may hold any byte: escaped, so a newline or
    // an escape sequence in a file name cannot forge or hide a log line.
    host_.LogFailure(failed, "cannot convert " + names + ": " + ShownEscaped(e.what()), request == Request::Rotation);
}

std::optional<std::string> WallApplier::Prepare(const std::vector<std::string>& files, Request request,
                                                const DibPicture*& written,
                                                std::unique_ptr<platform::Desktop::Prepared>& early, bool& noMemory)
{
    // One bitmap is shown as it is, unless it is to be made the screen's
    // size; pictures for several monitors are always composed into a new one.
    // A JPEG named ".bmp" is no bitmap the desktop could show: it is converted.
    // A single file is opened and told once, here, for the whole change.
    const std::optional<ImageFile> single = files.size() == 1 ? std::optional<ImageFile>(std::in_place, files.front())
                                                              : std::nullopt;
    const ImageFormat* format = single ? ReaderFormatOf(*single) : nullptr;
    if (format == &kBmpFormat && !converter_.MakesScreenSize()) {
        converter_.DynamicStop();
        return files.front();
    }
    // The converted bitmap is written beside TempWallFile and renamed into
    // place, so the desktop never reads a half-written picture and a failed
    // conversion leaves the previous one whole.
    const std::string part = tempWallFile_ + ".part";
    std::error_code ec;
    bool ok = false;
    std::string failed = files.front();
    // The desktop takes the picture while the bitmap is written.
    converter_.SetBeforeWrite([&](const DibPicture& picture) { early = desktop_.PrepareFrom(picture); });
    noMemory = false;
    try {
        ok = Convert(files, single ? &*single : nullptr, format, part, failed);
    } catch (const std::bad_alloc&) {
        noMemory = true;
    } catch (const std::system_error& e) {
        // A thread or buffer the system could not give (as under a memory
        // limit) is too little memory as well.
        noMemory = e.code() == std::errc::resource_unavailable_try_again || e.code() == std::errc::not_enough_memory;
        if (!noMemory)
            LogConversionError(files, failed, request, e);
    } catch (const std::exception& e) {
        // An error while reading or converting ends the attempt; the user is
        // not told, the log is.
        LogConversionError(files, failed, request, e);
    }
    converter_.SetBeforeWrite({});
    if (noMemory) {
        // Told once, naming the file; the rotation does not try again in
        // this minute, as every try would need the same memory.
        host_.ReportFailure(
            failed, {QT_TRANSLATE_NOOP("Messages", "%s を表示するメモリが足りません"), true, ShownEscaped(failed)},
            request != Request::User);
    } else if (!ok && !converter_.FailureNotice().text.empty()) {
        host_.ReportFailure(failed, converter_.FailureNotice(), request != Request::User);
    }
    if (ok) {
        std::filesystem::rename(part, tempWallFile_, ec);
        if (ec)
            host_.Log("cannot replace " + ShownEscaped(tempWallFile_) + ": " + ec.message());
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
