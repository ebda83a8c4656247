// SPDX-License-Identifier: GPL-3.0-or-later
// The alarm notice's recurring work: one tick of the scrolling picture (move
// the shown pixels up, paint the uncovered strip), twenty times a second
// while the notice is open. Run offscreen.

#include "alarm/bm_scroll.h"
#include "platform/sound.h"

#include <QApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

class SilentSound : public platform::Sound {
public:
    void Play(const std::string&, bool) override {}
    void Stop() override {}
};

QImage Picture(int width, int height)
{
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorCount(256);
    for (int i = 0; i < 256; ++i)
        image.setColor(i, qRgb(i / 2, i, i / 3));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.scanLine(y)[x] = static_cast<uchar>((x * 7 + y * 3) & 0xff);
    return image;
}

void ScrollTick(benchmark::State& state)
{
    SilentSound sound;
    TBMScroll scroll(sound);
    scroll.SetBorderStyle(ScrollBorder::bsNone);
    scroll.resize(233, 129);
    scroll.SetBitmap(Picture(240, static_cast<int>(state.range(0))));
    scroll.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        scroll.ScrollTimerTick();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(ScrollTick)->Arg(180)->Arg(4000);

void FullRepaint(benchmark::State& state)
{
    SilentSound sound;
    TBMScroll scroll(sound);
    scroll.resize(233, 129);
    scroll.SetBitmap(Picture(240, 180));
    scroll.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        scroll.repaint();
    }
}
BENCHMARK(FullRepaint);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
