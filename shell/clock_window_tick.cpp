// The clock tick: the face, the time signals and the wallpaper due test.

#include "shell/clock_window.h"

#include "shell/clock_tick.h"
#include "shell/error_handler.h"

namespace {

// Switches the tick's timer on again on every way out of the tick, also
// when a step raised an error (before the error box shows).
class TimerRestart {
public:
    explicit TimerRestart(QTimer& timer) : timer_(timer) {}
    ~TimerRestart() { timer_.start(); }
    TimerRestart(const TimerRestart&) = delete;
    TimerRestart& operator=(const TimerRestart&) = delete;

private:
    QTimer& timer_;
};

}  // namespace

void TfrmClock::Timer1Timer()
{
    try {
        TimerRestart restart(Timer1);
        Timer1.stop();  // no tick starts while this one works
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
    if (plan.wallDueTest)
        WallpaperDueStep(now);
}

void TfrmClock::PlayChime(const std::string& file)
{
    if (!file.empty())
        services_.sound.Play(file, false);
}
