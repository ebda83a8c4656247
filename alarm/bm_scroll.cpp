// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/bm_scroll.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TBMScroll::TBMScroll(platform::Sound& sound, QWidget* parent) : QWidget(parent), sound_(sound)
{
    // The control paints every pixel itself; its parent does not paint behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_.setInterval(scrollTime_);
    connect(&timer_, &QTimer::timeout, this, &TBMScroll::ScrollTimerTick);
    setContentsMargins(1, 1, 1, 1);  // the single border
    resize(80, 80);
}

TBMScroll::~TBMScroll()
{
    SetScrollIt(false);
}

void TBMScroll::Loaded()
{
    loading_ = false;
    if (scrollIt_ || autoScroll_) {
        scrollIt_ = true;
        StartScrolling();
    }
}

void TBMScroll::SetBitmap(const QImage& value)
{
    // Kept in the format painted fastest, so a tick copies its strip without
    // converting the whole picture each time.
    bitmap_ = value.isNull() ? QImage() : value.convertToFormat(QImage::Format_RGB32);
    // Scrolling goes on from the same row when it is still inside the new picture.
    if (motion_.ScrollOffset >= bitmap_.height())
        motion_.ScrollOffset = 0;
    update();
}

void TBMScroll::SetBorderStyle(ScrollBorder value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    const int m = value == ScrollBorder::bsSingle ? 1 : 0;
    setContentsMargins(m, m, m, m);
    update();
}

void TBMScroll::SetScrollIt(bool value)
{
    if (value == scrollIt_)
        return;
    scrollIt_ = value;
    if (value) {
        if (!loading_)
            StartScrolling();
    } else {
        timer_.stop();
        PlaySoundFile({}, 0);
    }
}

void TBMScroll::StartScrolling()
{
    timer_.start(scrollTime_);
    motion_.Start();
    if (!soundFile_.empty())
        PlaySoundFile(soundFile_, SoundFlags());
}

void TBMScroll::SetScrollTime(int value)
{
    if (!AcceptScrollTime(scrollTime_, value))
        return;
    scrollTime_ = value;
    timer_.setInterval(value);
    if (Scrolling()) {
        timer_.stop();
        timer_.start(value);
    }
}

void TBMScroll::SetSoundFile(const std::string& value)
{
    soundFile_ = value;
    if (!Scrolling())
        return;
    PlaySoundFile({}, 0);
    if (!soundFile_.empty())
        PlaySoundFile(soundFile_, SoundFlags());
}

void TBMScroll::PlaySoundFile(const std::string& name, unsigned flags)
{
    if (name.empty())
        sound_.Stop();
    else
        sound_.Play(name, (flags & kSndLoop) != 0);
}

void TBMScroll::ScrollTimerTick()
{
    const int step = motion_.ScrollStep;
    switch (motion_.Tick(bitmap_.height())) {
    case ScrollMotion::Step::Idle: return;
    case ScrollMotion::Step::Stop:
        repaint();
        SetScrollIt(false);
        return;
    case ScrollMotion::Step::Scroll: {
        const QRect client = contentsRect();
        scroll(0, -step, client);
        // The strip uncovered at the bottom is painted at once.
        const int strip = std::min(std::abs(step), client.height());
        if (strip > 0) {
            const int top = step > 0 ? client.bottom() + 1 - strip : client.top();
            repaint(QRect(client.left(), top, client.width(), strip));
        }
        return;
    }
    }
}

void TBMScroll::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    const QRect client = contentsRect();
    // Where the picture does not reach (narrower than the control, or below
    // the one wrap of a short picture) the control shows its background.
    painter.fillRect(rect(), palette().window());
    const int width = std::min(client.width(), bitmap_.width());
    for (const ScrollSpan& span : ScrollPaintSpans(client.height(), bitmap_.height(), motion_.ScrollOffset)) {
        painter.drawImage(QPoint(client.left(), client.top() + span.targetRow), bitmap_,
                          QRect(0, span.sourceRow, width, span.height));
    }
    if (borderStyle_ == ScrollBorder::bsSingle) {
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void TBMScroll::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void TBMScroll::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) {
        if (clickScroll_)
            SetScrollIt(!scrollIt_);
        emit Click();
    }
    QWidget::mouseReleaseEvent(event);
}
