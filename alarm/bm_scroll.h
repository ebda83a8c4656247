// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TBMScroll: a control that scrolls a picture upward on a timer, wrapping
// from its last row to its first, and plays a sound while it scrolls.
// The sound runs exactly while scrolling runs: it starts with ScrollIt on
// (or with a new SoundFile while scrolling) and stops when scrolling stops,
// by ScrollIt off, by the end of ScrollLoops passes or with the control.

#include "alarm/scroll_motion.h"
#include "platform/sound.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <string>

enum class ScrollBorder { bsNone, bsSingle };

class TBMScroll : public QWidget {
    Q_OBJECT
public:
    // The sound routine's flags, as the one sound service of the program takes them.
    static constexpr unsigned kSndAsync = 0x1;
    static constexpr unsigned kSndNoDefault = 0x2;
    static constexpr unsigned kSndLoop = 0x8;

    TBMScroll(platform::Sound& sound, QWidget* parent = nullptr);
    ~TBMScroll() override;

    // Building from a layout: between these two calls ScrollIt only records
    // the wish; Loaded() starts scrolling when ScrollIt or AutoScroll is set.
    void BeginLayout() { loading_ = true; }
    void Loaded();

    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value) { autoScroll_ = value; }

    const QImage& Bitmap() const { return bitmap_; }
    // Copies the picture into the control's own.
    void SetBitmap(const QImage& value);

    ScrollBorder BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(ScrollBorder value);

    bool ClickScroll() const { return clickScroll_; }
    void SetClickScroll(bool value) { clickScroll_ = value; }

    bool ScrollIt() const { return scrollIt_; }
    void SetScrollIt(bool value);

    int ScrollLoops() const { return motion_.ScrollLoops; }
    void SetScrollLoops(int value) { motion_.ScrollLoops = value; }

    int ScrollStep() const { return motion_.ScrollStep; }
    void SetScrollStep(int value) { motion_.ScrollStep = value; }

    int ScrollTime() const { return scrollTime_; }
    // Only 10..5000 ms is taken; a running timer restarts with the new period.
    void SetScrollTime(int value);

    const std::string& SoundFile() const { return soundFile_; }
    void SetSoundFile(const std::string& value);

    bool SoundLoop() const { return soundLoop_; }
    void SetSoundLoop(bool value) { soundLoop_ = value; }

    int ScrollOffset() const { return motion_.ScrollOffset; }
    int LoopsLeft() const { return motion_.LoopsLeft; }
    bool TimerRunning() const { return timer_.isActive(); }
    int TimerInterval() const { return timer_.interval(); }

    // The control's sound routine: an empty name stops whatever plays.
    void PlaySoundFile(const std::string& name, unsigned flags);

    // One tick of the scroll timer.
    void ScrollTimerTick();

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool Scrolling() const { return scrollIt_ && !loading_; }
    void StartScrolling();
    unsigned SoundFlags() const { return kSndAsync | kSndNoDefault | (soundLoop_ ? kSndLoop : 0); }

    platform::Sound& sound_;
    QTimer timer_;
    QImage bitmap_;
    ScrollMotion motion_;
    bool loading_ = false;
    bool autoScroll_ = true;
    ScrollBorder borderStyle_ = ScrollBorder::bsSingle;
    bool clickScroll_ = false;
    bool scrollIt_ = false;
    int scrollTime_ = 50;
    std::string soundFile_;
    bool soundLoop_ = true;
    bool pressed_ = false;
};
