#pragma once
// ApplyWallPaper: the one way a wallpaper reaches the desktop. A BMP file is
// handed over as it is; JPEG, GIF, TIFF and Photo CD files are converted into
// TempWallFile first. After every applied wallpaper the next rotation change
// is one interval away.

#include "platform/clock.h"
#include "platform/desktop.h"
#include "base/clock_settings.h"
#include "wallpaper/wall_converter.h"
#include "wallpaper/wall_schedule.h"

#include <optional>
#include <string>

// What the window does around the work: the hourglass, and the pending
// messages processed between two tries of a desktop that refused.
class WallApplyHost {
public:
    virtual ~WallApplyHost() = default;
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;
    virtual void ProcessPendingEvents() = 0;
};

class WallApplier {
public:
    enum class Outcome {
        NotImage,  // not an image by its extension: nothing happened
        Failed,    // the file could not be read or converted: nothing changed
        Applied,   // handed to the desktop (which may still have refused it)
        Queued,    // arrived while another wallpaper was being set; applied after it
    };

    // Desktop refusals are retried this many times, processing messages between.
    static constexpr int kMaxRetries = 1000;

    WallApplier(platform::Desktop& desktop, WallConverter& converter, const platform::Clock& clock,
                WallApplyHost& host, const ClockSettings& settings, WallSchedule& schedule,
                std::string tempWallFile);

    Outcome ApplyWallPaper(const std::string& file);

    const std::string& TempWallFile() const { return tempWallFile_; }

private:
    Outcome ApplyOne(const std::string& file);
    // The path to hand to the desktop, or nothing when conversion failed;
    // `written` is the converted picture when the converter still holds it.
    std::optional<std::string> Prepare(const std::string& file, const DibPicture*& written);

    platform::Desktop& desktop_;
    WallConverter& converter_;
    const platform::Clock& clock_;
    WallApplyHost& host_;
    const ClockSettings& settings_;
    WallSchedule& schedule_;
    std::string tempWallFile_;
    bool busy_ = false;
    std::optional<std::string> pending_;
};
