// The clock tick: the face, the time signals and the wallpaper due test.

#include "shell/clock_window.h"

#include "shell/clock_tick.h"
#include "base/ui/error_handler.h"

namespace {

// Switches the tick's timer off for a step that can take long and let
// messages in (a wallpaper change), and on again on every way out of it,
// also when it raised an error (before the error box shows); the next tick
// then comes 450 ms after the step ends.
class TimerOffWhileWorking {
public:
    explicit TimerOffWhileWorking(QTimer& timer) : timer_(timer) { timer_.stop(); }
    ~TimerOffWhileWorking() { timer_.start(); }
    TimerOffWhileWorking(const TimerOffWhileWorking&) = delete;
    TimerOffWhileWorking& operator=(const TimerOffWhileWorking&) = delete;

private:
    QTimer& timer_;
};

}  // namespace

void TfrmClock::Timer1Timer()
{
    try {
        TickSteps();
    } catch (...) {
        // The tick keeps running while the error box is open; an error that
        // comes again in those ticks is not stacked into a second box.
        if (tickErrorShowing_)
            return;
        tickErrorShowing_ = true;
        ErrorHandler::ShowCurrentException();
        tickErrorShowing_ = false;
    }
}

void TfrmClock::TickSteps()
{
    // Most ticks only compare one short text and run in microseconds, with
    // no way for another tick to start inside them: those leave the timer on,
    // which halves the cost of an idle tick. Only the wallpaper step, which
    // can take long and process messages, runs with the timer off.
    const TDateTime now = services_.clock.Now();
    const TickPlan plan = PlanTick(now, lblClock->text().toStdString(), ClockSettings, ChimeArmed,
                                   pmnuWallPause->isEnabled(), pmnuWallPause->isChecked());
    if (plan.newClockText) {
        const QString text = QString::fromStdString(*plan.newClockText);
        lblClock->setText(text);
        if (windowState() & Qt::WindowMinimized)
            setWindowTitle(text);
    }
    if (plan.chime)
        PlayChime(*plan.chime);
    if (plan.wallDueTest) {
        TimerOffWhileWorking off(Timer1);
        WallpaperDueStep(now);
    }
}

void TfrmClock::PlayChime(const std::string& file)
{
    if (!file.empty())
        services_.sound.Play(file, false);
}
