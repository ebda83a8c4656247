// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ApplyWallPaper: the one way a wallpaper reaches the desktop. A BMP file is
// handed over as it is, unless the picture is remade at the screen's size
// (fit, fill, stretch, span); other images are converted into TempWallFile
// first. After every applied wallpaper the next rotation change
// is one interval away.

#include "base/clock_settings.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "wallpaper/wall_converter.h"
#include "wallpaper/wall_schedule.h"

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What the window does around the work: the hourglass, the pending messages
// processed between two tries of a desktop that refused, telling the user of
// a failed conversion, the log, and giving memory back after the work.
class WallApplyHost {
public:
    virtual ~WallApplyHost() = default;
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;
    virtual void ProcessPendingEvents() = 0;
    // A conversion of `file` failed with something to tell; `unattended`
    // when the rotation asked for it rather than the user.
    virtual void ReportFailure(const std::string& file, const WallNotice& notice, bool unattended)
    {
        static_cast<void>(file), static_cast<void>(notice), static_cast<void>(unattended);
    }
    // Something the user is not told about but the log should keep.
    virtual void Log(const std::string& line) { static_cast<void>(line); }
    // The log's line about a failure of `file`; `unattended` as above.
    virtual void LogFailure(const std::string& file, const std::string& line, bool unattended)
    {
        static_cast<void>(file), static_cast<void>(unattended);
        Log(line);
    }
    // The work is over and its pictures are freed.
    virtual void ReturnFreeMemory() {}
};

class WallApplier {
public:
    enum class Outcome {
        NotImage,  // not an image by its extension: nothing happened
        Failed,    // the file could not be read or converted: nothing changed
        NoMemory,  // too little memory to read or convert the file: nothing changed
        Applied,   // handed to the desktop (which may still have refused it)
        Queued,    // arrived while another wallpaper was being set; applied after it
    };

    // Desktop refusals are retried this many times, processing messages between.
    static constexpr int kMaxRetries = 1000;

    WallApplier(platform::Desktop& desktop, WallConverter& converter, const platform::Clock& clock, WallApplyHost& host,
                const ClockSettings& settings, WallSchedule& schedule, std::string tempWallFile);

    // Who asked: the rotation on its own, or the user (a file chosen, the
    // panic button, a drop, the next step at once).
    // A Redraw remakes the dynamic wallpaper shown: unattended, like the
    // rotation's, and it leaves the rotation's next change where it was.
    enum class Request { User, Rotation, Redraw };

    Outcome ApplyWallPaper(const std::string& file, Request request = Request::User);
    // A picture per monitor: with more than one file, files[i] goes on
    // monitor i, composed into one bitmap the desktop shows spanned; with
    // one, as ApplyWallPaper. Any file that is not an image applies nothing;
    // any that cannot be read leaves the wallpaper as it was.
    Outcome ApplyWallPapers(const std::vector<std::string>& files, Request request);

    const std::string& TempWallFile() const { return tempWallFile_; }

private:
    Outcome ApplyOne(const std::vector<std::string>& files, Request request);
    // The path to hand to the desktop, or nothing when conversion failed;
    // `written` is the converted picture when the converter still holds it.
    // `early` is the picture handed to the desktop while the file was written,
    // when the desktop can take it so.
    // `noMemory` when it failed for want of memory.
    std::optional<std::string> Prepare(const std::vector<std::string>& files, Request request,
                                       const DibPicture*& written, std::unique_ptr<platform::Desktop::Prepared>& early,
                                       bool& noMemory);
    void LogConversionError(const std::vector<std::string>& files, const std::string& failed, Request request,
                            const std::exception& e);
    // Tells the user of a desktop service that answered with an error.
    void TellDesktopFailure(const std::string& file, platform::Desktop::Result result, Request request);
    // Converts the files into `part`; `failed` names the one that failed.
    // Throws what the conversion throws.
    // `single` is the one file, already opened, of `format`; nothing for a
    // picture per monitor.
    bool Convert(const std::vector<std::string>& files, const ImageFile* single, const ImageFormat* format,
                 const std::string& part, std::string& failed);

    platform::Desktop& desktop_;
    WallConverter& converter_;
    const platform::Clock& clock_;
    WallApplyHost& host_;
    const ClockSettings& settings_;
    WallSchedule& schedule_;
    std::string tempWallFile_;
    bool busy_ = false;
    bool desktopFailureTold_ = false;  // the rotation has told a desktop's error
    std::optional<std::pair<std::vector<std::string>, Request>> pending_;
};
